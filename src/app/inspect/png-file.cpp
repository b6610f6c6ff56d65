#include "app/inspect/png-file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// libpng reports its errors by a long jump back to where it was set up; the message is kept.
void OnPngError(png_structp png, png_const_charp message) {
  auto* problem = static_cast<std::string*>(png_get_error_ptr(png));
  *problem = message;
  png_longjmp(png, 1);
}

}  // namespace

bool WritePng(const char* path, int width, int height, const unsigned char* rgb, std::string& problem) {
  // Written under a name of its own and renamed when complete, so that whoever watches the folder
  // never opens half a picture under the final name.
  const std::string partial = std::string(path) + ".part";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (!file) {
    problem = std::string("cannot write ") + path + ": " + std::strerror(errno);
    return false;
  }
  std::string png_problem;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &png_problem, OnPngError, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_const_bytep> rows(static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) rows[static_cast<size_t>(y)] = rgb + static_cast<size_t>(y) * width * 3;
  // volatile: set between setjmp and a possible long jump back to it.
  volatile bool written = false;
  if (png && info && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, &info);
  const bool closed = std::fclose(file) == 0;
  if (written && closed && std::rename(partial.c_str(), path) == 0) return true;
  problem = std::string("cannot write ") + path + ": " + (png_problem.empty() ? std::strerror(errno) : png_problem);
  std::remove(partial.c_str());
  return false;
}
