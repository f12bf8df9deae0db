// Readers for what the results export writes, strict enough to catch a
// malformed file: an RFC 4180 CSV reader, a strict JSON parser and a
// structural HTML check.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace twinscan::testing {

// Rows of CRLF-ended records; nullopt when the text is not RFC 4180 (a bare
// quote inside an unquoted field, text after a closing quote, a missing CRLF).
inline std::optional<std::vector<std::vector<std::string>>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  size_t i = 0;
  while (i < text.size()) {
    std::vector<std::string> row;
    for (;;) {
      std::string field;
      if (i < text.size() && text[i] == '"') {
        for (++i;; ++i) {
          if (i >= text.size()) return std::nullopt;
          if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
              field += '"';
              ++i;
            } else {
              ++i;
              break;
            }
          } else {
            field += text[i];
          }
        }
      } else {
        while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
          if (text[i] == '"') return std::nullopt;
          field += text[i++];
        }
      }
      row.push_back(field);
      if (i < text.size() && text[i] == ',') {
        ++i;
        continue;
      }
      if (text.compare(i, 2, "\r\n") != 0) return std::nullopt;
      i += 2;
      break;
    }
    rows.push_back(row);
  }
  return rows;
}

struct Json;
using JsonObject = std::map<std::string, Json>;
using JsonArray = std::vector<Json>;
struct Json {
  std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<JsonArray>, std::shared_ptr<JsonObject>> v;
  bool IsNull() const { return std::holds_alternative<std::nullptr_t>(v); }
  double Number() const { return std::get<double>(v); }
  bool Bool() const { return std::get<bool>(v); }
  const std::string& String() const { return std::get<std::string>(v); }
  const JsonArray& Array() const { return *std::get<std::shared_ptr<JsonArray>>(v); }
  const JsonObject& Object() const { return *std::get<std::shared_ptr<JsonObject>>(v); }
  const Json& operator[](const std::string& key) const { return Object().at(key); }
  const Json& operator[](size_t index) const { return Array().at(index); }
};

// A strict RFC 8259 parser (UTF-8 checked, no trailing commas, no NaN).
class JsonParser {
 public:
  static std::optional<Json> Parse(const std::string& text) {
    JsonParser p(text);
    try {
      Json value = p.Value();
      p.Space();
      if (p.i_ != text.size()) return std::nullopt;
      return value;
    } catch (const Bad&) {
      return std::nullopt;
    }
  }

 private:
  struct Bad {};
  explicit JsonParser(const std::string& t) : t_(t) {}
  void Space() {
    while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\n' || t_[i_] == '\r' || t_[i_] == '\t')) ++i_;
  }
  void Expect(const char* word) {
    for (; *word; ++word, ++i_)
      if (i_ >= t_.size() || t_[i_] != *word) throw Bad{};
  }
  Json Value() {
    Space();
    if (i_ >= t_.size()) throw Bad{};
    char c = t_[i_];
    if (c == 'n') return Expect("null"), Json{nullptr};
    if (c == 't') return Expect("true"), Json{true};
    if (c == 'f') return Expect("false"), Json{false};
    if (c == '"') return Json{String()};
    if (c == '[' || c == '{') {
      const char close[2] = {c == '[' ? ']' : '}', 0};
      auto array = std::make_shared<JsonArray>();
      auto object = std::make_shared<JsonObject>();
      ++i_;
      Space();
      for (bool more = i_ >= t_.size() || t_[i_] != close[0]; more;) {
        if (c == '[') {
          array->push_back(Value());
        } else {
          Space();
          if (i_ >= t_.size() || t_[i_] != '"') throw Bad{};
          std::string key = String();
          Space();
          Expect(":");
          if (!object->emplace(key, Value()).second) throw Bad{};  // a key twice
        }
        Space();
        more = i_ < t_.size() && t_[i_] == ',';
        if (more) ++i_;
      }
      Expect(close);
      return c == '[' ? Json{array} : Json{object};
    }
    return Json{Number()};
  }
  double Number() {
    size_t start = i_;
    if (i_ < t_.size() && t_[i_] == '-') ++i_;
    if (i_ >= t_.size() || !std::isdigit(static_cast<unsigned char>(t_[i_]))) throw Bad{};
    if (t_[i_] == '0' && i_ + 1 < t_.size() && std::isdigit(static_cast<unsigned char>(t_[i_ + 1]))) throw Bad{};
    auto digits = [&] {
      size_t from = i_;
      while (i_ < t_.size() && std::isdigit(static_cast<unsigned char>(t_[i_]))) ++i_;
      if (i_ == from) throw Bad{};
    };
    digits();
    if (i_ < t_.size() && t_[i_] == '.') ++i_, digits();
    if (i_ < t_.size() && (t_[i_] == 'e' || t_[i_] == 'E')) {
      ++i_;
      if (i_ < t_.size() && (t_[i_] == '+' || t_[i_] == '-')) ++i_;
      digits();
    }
    return std::stod(t_.substr(start, i_ - start));
  }
  std::string String() {
    std::string out;
    ++i_;
    for (;;) {
      if (i_ >= t_.size()) throw Bad{};
      unsigned char c = static_cast<unsigned char>(t_[i_++]);
      if (c == '"') return out;
      if (c < 0x20) throw Bad{};
      if (c == '\\') {
        if (i_ >= t_.size()) throw Bad{};
        char e = t_[i_++];
        static const std::string kSimple = "\"\\/bfnrt", kMeaning = "\"\\/\b\f\n\r\t";
        if (size_t k = kSimple.find(e); k != std::string::npos) {
          out += kMeaning[k];
        } else if (e == 'u') {
          if (i_ + 4 > t_.size()) throw Bad{};
          unsigned code = static_cast<unsigned>(std::stoul(t_.substr(i_, 4), nullptr, 16));
          i_ += 4;
          if (code >= 0x80) throw Bad{};  // the writer escapes control characters only
          out += static_cast<char>(code);
        } else {
          throw Bad{};
        }
        continue;
      }
      out += static_cast<char>(c);
      if (c >= 0x80) {
        size_t more = (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 99;
        if (more == 99 || i_ + more > t_.size()) throw Bad{};
        for (size_t k = 0; k < more; ++k) {
          if ((static_cast<unsigned char>(t_[i_]) & 0xC0) != 0x80) throw Bad{};
          out += t_[i_++];
        }
      }
    }
  }
  const std::string& t_;
  size_t i_ = 0;
};

// A structural check of an HTML5 document: the doctype first, every element
// closed in order (void elements excepted), exactly one html, head, body and
// title, attribute values quoted, no bare '<' or '&' in text. Returns the
// first fault found; "" for a sound document.
inline std::string HtmlStructureFault(const std::string& html) {
  static const std::vector<std::string> kVoid = {"meta", "br", "rect", "img", "hr", "link", "input"};
  if (html.rfind("<!DOCTYPE html>", 0) != 0) return "no doctype first";
  std::vector<std::string> open;
  std::map<std::string, int> counts;
  bool raw = false;  // inside <style>
  for (size_t i = 15; i < html.size(); ++i) {
    char c = html[i];
    if (raw) {
      if (html.compare(i, 8, "</style>") == 0)
        raw = false;
      else
        continue;
    }
    if (c == '&') {
      size_t end = html.find(';', i);
      if (end == std::string::npos || end - i > 8) return "bare & at " + std::to_string(i);
      std::string entity = html.substr(i + 1, end - i - 1);
      bool numeric =
          entity.size() > 1 && entity[0] == '#' && entity.find_first_not_of("0123456789", 1) == std::string::npos;
      if (!numeric && entity != "amp" && entity != "lt" && entity != "gt" && entity != "quot")
        return "unknown entity " + entity;
      continue;
    }
    if (c == '>') return "bare > at " + std::to_string(i);
    if (c != '<') continue;
    bool closing = i + 1 < html.size() && html[i + 1] == '/';
    size_t nameStart = i + (closing ? 2 : 1), nameEnd = nameStart;
    while (nameEnd < html.size() && (std::isalnum(static_cast<unsigned char>(html[nameEnd])))) ++nameEnd;
    if (nameEnd == nameStart) return "bare < at " + std::to_string(i);
    std::string name = html.substr(nameStart, nameEnd - nameStart);
    size_t end = nameEnd;
    // Attributes: name="value" only.
    while (end < html.size() && html[end] != '>') {
      if (html[end] == '"') {
        size_t close = html.find('"', end + 1);
        if (close == std::string::npos) return "unclosed attribute";
        std::string value = html.substr(end + 1, close - end - 1);
        if (value.find('<') != std::string::npos || value.find('>') != std::string::npos)
          return "unescaped attribute " + value;
        end = close;
      } else if (html[end] == '<' || html[end] == '\'') {
        return "bad attribute text in " + name;
      }
      ++end;
    }
    if (end >= html.size()) return "unclosed tag " + name;
    bool selfClosed = html[end - 1] == '/';
    if (closing) {
      if (open.empty() || open.back() != name)
        return "</" + name + "> closes " + (open.empty() ? "nothing" : open.back());
      open.pop_back();
    } else {
      ++counts[name];
      bool isVoid = std::find(kVoid.begin(), kVoid.end(), name) != kVoid.end();
      if (!isVoid && !selfClosed) open.push_back(name);
      if (name == "style") raw = true;
    }
    i = end;
  }
  if (!open.empty()) return "<" + open.back() + "> left open";
  for (const char* once : {"html", "head", "body", "title"})
    if (counts[once] != 1) return std::string("not exactly one ") + once;
  return "";
}

}  // namespace twinscan::testing
