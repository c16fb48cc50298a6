#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The lines of a private-profile file: "[section]" lines open a section, "key=value" lines
// below them hold its values, anything else is kept as it stands. Section and key names match
// without regard to ASCII case; with duplicates the first one counts. Any bytes are accepted:
// a damaged or hand-edited file is read as far as it makes sense and the rest is kept.
class TProfileText {
public:
  explicit TProfileText(std::string_view text);

  // The value of `key` in `section`, blanks around it trimmed and one pair of matching
  // surrounding quotes (double or single) removed; none when the key is missing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  // Replaces the key's line, or adds it at the end of its section, or adds the section at the
  // end of the text.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);
  void EraseKey(std::string_view section, std::string_view key);
  // Removes the section's header and every line up to the next section.
  void EraseSection(std::string_view section);

  std::string Text() const;

private:
  // Lines [Begin, End) of a section, Begin being its header.
  struct TRange {
    size_t Begin;
    size_t End;
  };
  std::optional<TRange> FindSection(std::string_view section) const;
  std::optional<size_t> FindKey(const TRange &range, std::string_view key) const;

  std::vector<std::string> FLines;
};

// Whether a name or value can stand on one profile line and be read back as written.
bool IsProfileSectionName(std::string_view name);
bool IsProfileKeyName(std::string_view name);
bool IsProfileValue(std::string_view value);
