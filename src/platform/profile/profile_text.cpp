#include "platform/profile/profile_text.h"

#include <algorithm>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

// The name of a "[name]" line, or none for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trimmed(line);
  if (line.empty() || line.front() != '[')
    return std::nullopt;
  line.remove_prefix(1);
  return Trimmed(line.substr(0, line.find(']')));
}

// The key and raw value of a "key=value" line.
bool SplitKey(std::string_view line, std::string_view &key, std::string_view &value) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos)
    return false;
  key = Trimmed(line.substr(0, equals));
  value = line.substr(equals + 1);
  return true;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

} // namespace

TProfileText::TProfileText(std::string_view text) {
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    FLines.emplace_back(line);
    if (end == std::string_view::npos)
      break;
    text.remove_prefix(end + 1);
  }
}

std::optional<TProfileText::TRange> TProfileText::FindSection(std::string_view section) const {
  for (size_t i = 0; i < FLines.size(); ++i) {
    const auto name = SectionName(FLines[i]);
    if (!name || !SameName(*name, section))
      continue;
    size_t end = i + 1;
    while (end < FLines.size() && !SectionName(FLines[end]))
      ++end;
    return TRange{i, end};
  }
  return std::nullopt;
}

std::optional<size_t> TProfileText::FindKey(const TRange &range, std::string_view key) const {
  for (size_t i = range.Begin + 1; i < range.End; ++i) {
    std::string_view name, value;
    if (SplitKey(FLines[i], name, value) && SameName(name, key))
      return i;
  }
  return std::nullopt;
}

std::optional<std::string> TProfileText::Value(std::string_view section, std::string_view key) const {
  const auto range = FindSection(section);
  if (!range)
    return std::nullopt;
  const auto line = FindKey(*range, key);
  if (!line)
    return std::nullopt;
  std::string_view name, value;
  SplitKey(FLines[*line], name, value);
  value = Trimmed(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

void TProfileText::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(key) + "=" + std::string(value);
  const auto range = FindSection(section);
  if (!range) {
    if (!FLines.empty() && !Trimmed(FLines.back()).empty())
      FLines.emplace_back();
    FLines.push_back("[" + std::string(section) + "]");
    FLines.push_back(std::move(line));
    return;
  }
  if (const auto at = FindKey(*range, key)) {
    FLines[*at] = std::move(line);
    return;
  }
  // After the section's last non-blank line, so a blank line before the next section stays.
  size_t at = range->End;
  while (at > range->Begin + 1 && Trimmed(FLines[at - 1]).empty())
    --at;
  FLines.insert(FLines.begin() + std::ptrdiff_t(at), std::move(line));
}

void TProfileText::EraseKey(std::string_view section, std::string_view key) {
  if (const auto range = FindSection(section))
    if (const auto at = FindKey(*range, key))
      FLines.erase(FLines.begin() + std::ptrdiff_t(*at));
}

void TProfileText::EraseSection(std::string_view section) {
  if (const auto range = FindSection(section))
    FLines.erase(FLines.begin() + std::ptrdiff_t(range->Begin), FLines.begin() + std::ptrdiff_t(range->End));
}

std::string TProfileText::Text() const {
  std::string text;
  for (const std::string &line : FLines) {
    text += line;
    text += '\n';
  }
  return text;
}

bool IsProfileSectionName(std::string_view name) {
  return !HasLineBreak(name) && name.find(']') == std::string_view::npos && Trimmed(name) == name;
}

bool IsProfileKeyName(std::string_view name) {
  return !name.empty() && !HasLineBreak(name) && name.find('=') == std::string_view::npos && Trimmed(name) == name &&
         name.front() != '[';
}

bool IsProfileValue(std::string_view value) { return !HasLineBreak(value); }
