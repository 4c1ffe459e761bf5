// The natural size of a picture, read from the header of a PNG, GIF, JPEG or BMP
// file, as a browser sizes an image that has no width or height of its own.
#pragma once

#include <optional>
#include <string_view>

namespace rxTheme {

struct PictureSize {
  int width = 0;
  int height = 0;
  bool operator==(const PictureSize&) const = default;
};

// The size in pixels that the file's header gives, or nullopt for bytes that
// are none of these formats or whose header is cut short.
std::optional<PictureSize> PictureSizeOf(std::string_view bytes);

}  // namespace rxTheme
