#pragma once
// For tests: reads back the elements of the SVG that the SVG canvas writes (one element or
// closing tag after another, attributes in double quotes, the text of <text> elements),
// with the entities unescaped. Not a general XML reader.

#include <map>
#include <regex>
#include <string>
#include <vector>

namespace corvane::test_svg {

struct Element {
  std::string name;
  std::map<std::string, std::string> attrs;
  std::string text;  // the character data of a <text>
};

inline std::string unescaped(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '&') {
      out += s[i];
      continue;
    }
    const std::size_t semi = s.find(';', i);
    const std::string entity = s.substr(i + 1, semi - i - 1);
    if (entity == "amp") out += '&';
    if (entity == "lt") out += '<';
    if (entity == "gt") out += '>';
    if (entity == "quot") out += '"';
    i = semi;
  }
  return out;
}

// The elements in document order (closing tags and the XML declaration left out).
inline std::vector<Element> parse(const std::string& svg) {
  static const std::regex tag(R"(<([a-zA-Z]+)((?:\s+[\w:-]+="[^"]*")*)\s*(/?)>)");
  static const std::regex attr(R"re(([\w:-]+)="([^"]*)")re");
  std::vector<Element> out;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), tag); it != std::sregex_iterator();
       ++it) {
    Element e;
    e.name = (*it)[1];
    const std::string attrs = (*it)[2];
    for (auto a = std::sregex_iterator(attrs.begin(), attrs.end(), attr);
         a != std::sregex_iterator(); ++a)
      e.attrs[(*a)[1]] = unescaped((*a)[2]);
    if (e.name == "text") {
      const std::size_t start = static_cast<std::size_t>(it->position() + it->length());
      const std::size_t end = svg.find("</text>", start);
      e.text = unescaped(svg.substr(start, end - start));
    }
    out.push_back(std::move(e));
  }
  return out;
}

}  // namespace corvane::test_svg
