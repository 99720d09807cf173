#include "scene3d/MeshPackage.h"

#include <zip.h>

#include <memory>
#include <vector>

namespace lw {
namespace {

// Text and meshes compress some tenfold; a thousandfold entry is a bomb, not a model.
constexpr zip_uint64_t kMaxGrowth = 200;
constexpr zip_uint64_t kSmallEntry = 1u << 20;

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct SourceFreer {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceFreer>;

struct FileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

std::optional<std::string> EntryBytes(zip_t* archive, zip_uint64_t index, const zip_stat_t& stat,
                                      std::string& reason) {
  const std::string name = stat.name;
  if (stat.size > kSmallEntry && stat.size / kMaxGrowth > stat.comp_size) {
    reason = "3MF: zip entry " + name + " would grow " +
             std::to_string(stat.size / std::max<zip_uint64_t>(stat.comp_size, 1)) + "-fold";
    return std::nullopt;
  }
  std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive, index, 0));
  std::string bytes(stat.size, '\0');
  // libzip checks an entry's CRC when it reaches the entry's end: read up to it.
  char past = 0;
  if (!file ||
      zip_fread(file.get(), bytes.data(), stat.size) != static_cast<zip_int64_t>(stat.size) ||
      zip_fread(file.get(), &past, 1) != 0) {
    reason = "3MF: zip entry " + name + " is damaged";
    return std::nullopt;
  }
  return bytes;
}

// The whole of a source that libzip has written.
std::optional<std::string> SourceBytes(zip_source_t* source) {
  zip_stat_t stat;
  if (zip_source_stat(source, &stat) != 0 || zip_source_open(source) != 0) return std::nullopt;
  std::string bytes(stat.size, '\0');
  const zip_int64_t read = zip_source_read(source, bytes.data(), stat.size);
  zip_source_close(source);
  if (read != static_cast<zip_int64_t>(stat.size)) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<std::string> PlainPackage(std::string_view bytes, std::string& reason) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* input = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  Archive in(input ? zip_open_from_source(input, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr);
  if (!in) {
    if (input) zip_source_free(input);
    reason =
        std::string("3MF: the zip package cannot be read (") + zip_error_strerror(&error) + ")";
    zip_error_fini(&error);
    return std::nullopt;
  }
  const Source output(zip_source_buffer_create(nullptr, 0, 0, &error));
  if (!output) return std::nullopt;
  zip_source_keep(output.get());  // it outlives the archive written into it
  Archive out(zip_open_from_source(output.get(), ZIP_TRUNCATE, &error));
  if (!out) return std::nullopt;
  std::vector<std::string> entries;  // libzip reads them when the archive is closed
  const zip_int64_t count = zip_get_num_entries(in.get(), 0);
  entries.reserve(static_cast<std::size_t>(std::max<zip_int64_t>(count, 0)));
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    if (zip_stat_index(in.get(), static_cast<zip_uint64_t>(i), 0, &stat) != 0) {
      reason = "3MF: the zip directory is damaged";
      return std::nullopt;
    }
    const std::string_view name = stat.name;
    if (name.empty() || name.back() == '/') continue;  // folders
    std::optional<std::string> entry =
        EntryBytes(in.get(), static_cast<zip_uint64_t>(i), stat, reason);
    if (!entry) return std::nullopt;
    entries.push_back(std::move(*entry));
    zip_source_t* source =
        zip_source_buffer_create(entries.back().data(), entries.back().size(), 0, &error);
    const zip_int64_t added =
        source ? zip_file_add(out.get(), stat.name, source, ZIP_FL_ENC_UTF_8) : -1;
    if (added < 0) {
      if (source) zip_source_free(source);
      reason = "3MF: zip entry " + std::string(name) + " cannot be unpacked";
      return std::nullopt;
    }
    zip_set_file_compression(out.get(), static_cast<zip_uint64_t>(added), ZIP_CM_STORE, 0);
  }
  if (zip_close(out.get()) != 0) return std::nullopt;
  static_cast<void>(out.release());  // closed: libzip has freed it
  return SourceBytes(output.get());
}

}  // namespace lw
