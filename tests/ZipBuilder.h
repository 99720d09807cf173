// Zip packages made in memory for tests of the 3MF reader: entries stored as they are
// or deflated (through Qt's zlib), with the plain end record or with the Zip64
// records other tools write (sizes and offsets only in the Zip64 fields).
#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lw::test {

struct ZipEntry {
  std::string name;
  std::string bytes;
  bool deflate = false;
};

class ZipBuilder {
 public:
  static std::string Build(const std::vector<ZipEntry>& entries, bool zip64) {
    std::string out, directory;
    for (const ZipEntry& e : entries) {
      const std::string data = e.deflate ? RawDeflate(e.bytes) : e.bytes;
      const std::uint32_t crc = Crc32(e.bytes);
      const std::uint64_t offset = out.size();
      const std::uint16_t method = e.deflate ? 8 : 0;
      std::string localExtra, centralExtra;
      if (zip64) {
        localExtra = U16(1) + U16(16) + U64(e.bytes.size()) + U64(data.size());
        centralExtra = U16(1) + U16(24) + U64(e.bytes.size()) + U64(data.size()) + U64(offset);
      }
      const std::string small = zip64 ? U32(0xFFFFFFFF) + U32(0xFFFFFFFF)
                                      : U32(static_cast<std::uint32_t>(data.size())) +
                                            U32(static_cast<std::uint32_t>(e.bytes.size()));
      out += U32(0x04034b50) + U16(45) + U16(0) + U16(method) + U32(0) + U32(crc) + small +
             U16(static_cast<std::uint16_t>(e.name.size())) +
             U16(static_cast<std::uint16_t>(localExtra.size())) + e.name + localExtra + data;
      directory += U32(0x02014b50) + U16(45) + U16(45) + U16(0) + U16(method) + U32(0) + U32(crc) +
                   small + U16(static_cast<std::uint16_t>(e.name.size())) +
                   U16(static_cast<std::uint16_t>(centralExtra.size())) + U16(0) + U16(0) + U16(0) +
                   U32(0) + U32(zip64 ? 0xFFFFFFFF : static_cast<std::uint32_t>(offset)) + e.name +
                   centralExtra;
    }
    const std::uint64_t at = out.size(), size = directory.size(), count = entries.size();
    out += directory;
    if (zip64) {
      const std::uint64_t record = out.size();
      out += U32(0x06064b50) + U64(44) + U16(45) + U16(45) + U32(0) + U32(0) + U64(count) +
             U64(count) + U64(size) + U64(at);
      out += U32(0x07064b50) + U32(0) + U64(record) + U32(1);
      out += U32(0x06054b50) + U16(0) + U16(0) + U16(0xFFFF) + U16(0xFFFF) + U32(0xFFFFFFFF) +
             U32(0xFFFFFFFF) + U16(0);
    } else {
      out += U32(0x06054b50) + U16(0) + U16(0) + U16(static_cast<std::uint16_t>(count)) +
             U16(static_cast<std::uint16_t>(count)) + U32(static_cast<std::uint32_t>(size)) +
             U32(static_cast<std::uint32_t>(at)) + U16(0);
    }
    return out;
  }

  // A 3MF package around one model text.
  static std::string ThreeMf(const std::string& model, bool zip64 = false, bool deflate = false) {
    return Build(
        {{"[Content_Types].xml",
          R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.)"
          R"(openxmlformats.org/package/2006/content-types"><Default Extension="rels" )"
          R"(ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
          R"(<Default Extension="model" ContentType="application/vnd.ms-package.)"
          R"(3dmanufacturing-3dmodel+xml"/></Types>)"},
         {"_rels/.rels", R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://)"
                         R"(schemas.openxmlformats.org/package/2006/relationships"><Relationship )"
                         R"(Target="/3D/3dmodel.model" Id="rel0" Type="http://schemas.microsoft.)"
                         R"(com/3dmanufacturing/2013/01/3dmodel"/></Relationships>)"},
         {"3D/3dmodel.model", model, deflate}},
        zip64);
  }

 private:
  static std::string U16(std::uint16_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8)};
  }
  static std::string U32(std::uint32_t v) {
    return U16(static_cast<std::uint16_t>(v)) + U16(static_cast<std::uint16_t>(v >> 16));
  }
  static std::string U64(std::uint64_t v) {
    return U32(static_cast<std::uint32_t>(v)) + U32(static_cast<std::uint32_t>(v >> 32));
  }
  static std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const char c : bytes) {
      crc ^= static_cast<std::uint8_t>(c);
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
  }
  // qCompress gives a 4-byte length, then a zlib stream: a 2-byte header, the raw
  // deflate data and a 4-byte check.
  static std::string RawDeflate(const std::string& bytes) {
    const QByteArray packed = qCompress(QByteArray::fromStdString(bytes), 9);
    return std::string(packed.constData() + 6, static_cast<std::size_t>(packed.size() - 10));
  }
};

}  // namespace lw::test
