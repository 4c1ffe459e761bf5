// A small JSON document built in memory and written with two-space
// indentation: objects keep the order in which their members were added.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rxTheme::cli {

class JsonTree {
 public:
  static JsonTree Object() { return JsonTree(Kind::kObject); }
  static JsonTree Array() { return JsonTree(Kind::kArray); }
  // A string given as UTF-8.
  static JsonTree String(std::string_view utf8);
  static JsonTree Number(long long value);

  // The member `key` of an object, added (as an empty object) when missing.
  JsonTree& operator[](std::string_view key);
  // Sets the member `key`, replacing one of that name.
  JsonTree& Set(std::string_view key, JsonTree value);
  // Appends to an array.
  JsonTree& Push(JsonTree value);
  bool Empty() const { return members_.empty() && items_.empty(); }

  std::string Text() const;

 private:
  enum class Kind { kObject, kArray, kString, kNumber };
  explicit JsonTree(Kind kind) : kind_(kind) {}
  void Write(std::string& out, int indent) const;

  Kind kind_;
  std::string scalar_;  // a string's JSON literal or a number's digits
  std::vector<std::pair<std::string, JsonTree>> members_;
  std::vector<JsonTree> items_;
};

}  // namespace rxTheme::cli
