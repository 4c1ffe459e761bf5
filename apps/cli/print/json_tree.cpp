#include "print/json_tree.h"

#include <rxtheme/runtime/wstring.h>
#include "print/json_text.h"

namespace rxTheme::cli {

JsonTree JsonTree::String(std::string_view utf8) {
  JsonTree tree(Kind::kString);
  tree.scalar_ = JsonString(FromUtf8(utf8));
  return tree;
}

JsonTree JsonTree::Number(long long value) {
  JsonTree tree(Kind::kNumber);
  tree.scalar_ = std::to_string(value);
  return tree;
}

JsonTree& JsonTree::operator[](std::string_view key) {
  for (auto& [name, value] : members_) {
    if (name == key) return value;
  }
  members_.emplace_back(std::string(key), Object());
  return members_.back().second;
}

JsonTree& JsonTree::Set(std::string_view key, JsonTree value) {
  return (*this)[key] = std::move(value);
}

JsonTree& JsonTree::Push(JsonTree value) {
  items_.push_back(std::move(value));
  return items_.back();
}

std::string JsonTree::Text() const {
  std::string out;
  Write(out, 0);
  out += "\n";
  return out;
}

void JsonTree::Write(std::string& out, int indent) const {
  const std::string inner(indent + 2, ' ');
  switch (kind_) {
    case Kind::kString:
    case Kind::kNumber:
      out += scalar_;
      return;
    case Kind::kObject:
      if (members_.empty()) {
        out += "{}";
        return;
      }
      out += "{\n";
      for (size_t i = 0; i < members_.size(); ++i) {
        out += inner + JsonString(FromUtf8(members_[i].first)) + ": ";
        members_[i].second.Write(out, indent + 2);
        out += i + 1 < members_.size() ? ",\n" : "\n";
      }
      out += std::string(indent, ' ') + "}";
      return;
    case Kind::kArray:
      if (items_.empty()) {
        out += "[]";
        return;
      }
      out += "[\n";
      for (size_t i = 0; i < items_.size(); ++i) {
        out += inner;
        items_[i].Write(out, indent + 2);
        out += i + 1 < items_.size() ? ",\n" : "\n";
      }
      out += std::string(indent, ' ') + "]";
      return;
  }
}

}  // namespace rxTheme::cli
