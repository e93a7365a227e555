#include "zlib_stream.h"

#include <zlib.h>

#include <algorithm>

namespace vt {

bool InflateZlib(std::string_view data, std::string &out, std::size_t maxSize) {
  out.clear();
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return false;
  zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
  zs.avail_in = static_cast<uInt>(std::min<std::size_t>(data.size(), 0xFFFFFFFFu));
  char buf[65536];
  int rc = Z_OK;
  while (rc == Z_OK) {
    zs.next_out = reinterpret_cast<Bytef *>(buf);
    zs.avail_out = sizeof buf;
    rc = inflate(&zs, Z_NO_FLUSH);
    if (rc != Z_OK && rc != Z_STREAM_END) break;
    const std::size_t got = sizeof buf - zs.avail_out;
    if (out.size() + got > maxSize) {
      rc = Z_MEM_ERROR;
      break;
    }
    out.append(buf, got);
    if (rc == Z_OK && got == 0 && zs.avail_in == 0) {
      rc = Z_BUF_ERROR; // input ended before the stream did
      break;
    }
  }
  inflateEnd(&zs);
  return rc == Z_STREAM_END;
}

bool DeflateZlib(std::string_view data, std::string &out) {
  out.clear();
  z_stream zs{};
  if (deflateInit(&zs, Z_DEFAULT_COMPRESSION) != Z_OK) return false;
  zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
  char buf[65536];
  int rc = Z_OK;
  std::size_t left = data.size();
  // Fed in pieces, since avail_in holds at most 4 GiB.
  while (rc == Z_OK || rc == Z_BUF_ERROR) {
    if (zs.avail_in == 0 && left > 0) {
      zs.avail_in = static_cast<uInt>(std::min<std::size_t>(left, 1u << 30));
      left -= zs.avail_in;
    }
    zs.next_out = reinterpret_cast<Bytef *>(buf);
    zs.avail_out = sizeof buf;
    rc = deflate(&zs, left == 0 ? Z_FINISH : Z_NO_FLUSH);
    out.append(buf, sizeof buf - zs.avail_out);
    if (rc == Z_STREAM_END) break;
  }
  deflateEnd(&zs);
  return rc == Z_STREAM_END;
}

} // namespace vt
