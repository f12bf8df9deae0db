// Readers for what the results export writes, strict enough to catch a
// malformed file: an RFC 4180 CSV reader, a strict JSON parser and a
// structural HTML check.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <variant>
#include <vector>

namespace twinscan::testing {

// Rows of CRLF-ended records; nullopt when the text is not RFC 4180 (a bare
// quote inside an unquoted field, text after a closing quote, a missing CRLF).
inline std::optional<std::vector<std::vector<std::string>>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows(1);
  size_t i = 0;
  while (i < text.size()) {
    std::string field;
    if (text[i] == '"') {
      for (++i; i < text.size() && (text[i] != '"' || text.compare(i, 2, "\"\"") == 0); ++i)
        field += text[text[i] == '"' ? i++ : i];
      if (i++ >= text.size()) return std::nullopt;
    } else {
      for (; i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n'; ++i) {
        if (text[i] == '"') return std::nullopt;
        field += text[i];
      }
    }
    rows.back().push_back(field);
    if (i < text.size() && text[i] == ',') {
      ++i;
      continue;
    }
    if (text.compare(i, 2, "\r\n") != 0) return std::nullopt;
    i += 2;
    rows.emplace_back();
  }
  if (!rows.back().empty()) return std::nullopt;  // a last field without its CRLF
  rows.pop_back();
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

// A strict RFC 8259 parser (UTF-8 checked, no trailing commas, no NaN, no key twice).
class JsonParser {
 public:
  static std::optional<Json> Parse(const std::string& text) {
    JsonParser p(text);
    try {
      Json value = p.Value();
      p.Space();
      if (p.i_ == text.size()) return value;
    } catch (const Bad&) {
    }
    return std::nullopt;
  }

 private:
  struct Bad {};
  explicit JsonParser(const std::string& t) : t_(t) {}
  char At() const { return i_ < t_.size() ? t_[i_] : '\0'; }
  void Space() {
    while (At() == ' ' || At() == '\n' || At() == '\r' || At() == '\t') ++i_;
  }
  void Expect(std::string_view word) {
    if (t_.compare(i_, word.size(), word) != 0) throw Bad{};
    i_ += word.size();
  }
  Json Value() {
    Space();
    const char c = At();
    if (c == 'n') return Expect("null"), Json{nullptr};
    if (c == 't') return Expect("true"), Json{true};
    if (c == 'f') return Expect("false"), Json{false};
    if (c == '"') return Json{String()};
    if (c != '[' && c != '{') {
      static const std::regex kNumber(R"(-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?)");
      std::smatch m;
      if (!std::regex_search(t_.begin() + static_cast<long>(i_), t_.end(), m, kNumber,
                             std::regex_constants::match_continuous))
        throw Bad{};
      i_ += static_cast<size_t>(m.length());
      return Json{std::stod(m.str())};
    }
    auto array = std::make_shared<JsonArray>();
    auto object = std::make_shared<JsonObject>();
    ++i_;
    Space();
    for (bool more = At() != (c == '[' ? ']' : '}'); more;) {
      if (c == '[') {
        array->push_back(Value());
      } else {
        Space();
        if (At() != '"') throw Bad{};
        std::string key = String();
        Space();
        Expect(":");
        if (!object->emplace(key, Value()).second) throw Bad{};
      }
      Space();
      if ((more = At() == ',')) ++i_;
    }
    Expect(c == '[' ? "]" : "}");
    return c == '[' ? Json{array} : Json{object};
  }
  std::string String() {
    std::string out;
    for (++i_;;) {
      if (i_ >= t_.size()) throw Bad{};
      unsigned char c = static_cast<unsigned char>(t_[i_++]);
      if (c == '"') return out;
      if (c < 0x20) throw Bad{};
      if (c == '\\') {
        static const std::string kSimple = "\"\\/bfnrt", kMeaning = "\"\\/\b\f\n\r\t";
        size_t k = kSimple.find(At());
        if (k != std::string::npos) {
          out += kMeaning[k], ++i_;
        } else if (At() == 'u' && i_ + 5 <= t_.size()) {  // the writer escapes control characters only
          unsigned code = static_cast<unsigned>(std::stoul(t_.substr(i_ + 1, 4), nullptr, 16));
          if (code >= 0x80) throw Bad{};
          out += static_cast<char>(code), i_ += 5;
        } else {
          throw Bad{};
        }
        continue;
      }
      out += static_cast<char>(c);
      size_t more = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 99;
      for (size_t k = 0; k < more; ++k, ++i_) {
        if (i_ >= t_.size() || (static_cast<unsigned char>(t_[i_]) & 0xC0) != 0x80) throw Bad{};
        out += t_[i_];
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
  for (size_t i = 15; i < html.size(); ++i) {
    if (!open.empty() && open.back() == "style") i = std::min(html.find("</style>", i), html.size());
    if (i >= html.size()) break;
    char c = html[i];
    if (c == '&') {
      static const std::regex kEntity("&(#[0-9]+|amp|lt|gt|quot);");
      if (!std::regex_search(html.begin() + static_cast<long>(i), html.end(), kEntity,
                             std::regex_constants::match_continuous))
        return "bare or unknown & at " + std::to_string(i);
      continue;
    }
    if (c == '>') return "bare > at " + std::to_string(i);
    if (c != '<') continue;
    bool closing = i + 1 < html.size() && html[i + 1] == '/';
    size_t nameStart = i + (closing ? 2 : 1), end = nameStart;
    while (end < html.size() && std::isalnum(static_cast<unsigned char>(html[end]))) ++end;
    if (end == nameStart) return "bare < at " + std::to_string(i);
    std::string name = html.substr(nameStart, end - nameStart);
    for (; end < html.size() && html[end] != '>'; ++end) {  // attributes: name="value" only
      if (html[end] == '<' || html[end] == '\'') return "bad attribute text in " + name;
      if (html[end] != '"') continue;
      size_t close = html.find('"', end + 1);
      if (close == std::string::npos) return "unclosed attribute";
      if (html.find_first_of("<>", end + 1) < close) return "unescaped attribute in " + name;
      end = close;
    }
    if (end >= html.size()) return "unclosed tag " + name;
    if (closing) {
      if (open.empty() || open.back() != name)
        return "</" + name + "> closes " + (open.empty() ? "nothing" : open.back());
      open.pop_back();
    } else if (++counts[name]; std::find(kVoid.begin(), kVoid.end(), name) == kVoid.end() && html[end - 1] != '/') {
      open.push_back(name);
    }
    i = end;
  }
  if (!open.empty()) return "<" + open.back() + "> left open";
  for (const char* once : {"html", "head", "body", "title"})
    if (counts[once] != 1) return std::string("not exactly one ") + once;
  return "";
}

}  // namespace twinscan::testing
