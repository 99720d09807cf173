#include "scene3d/MeshReaderProcess.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "scene3d/MeshChecks.h"
#include "scene3d/MeshReply.h"

namespace lw {
namespace {

using Clock = std::chrono::steady_clock;

// Names and reasons the reader sends are short texts.
constexpr std::uint64_t kMaxText = 4096;

std::string ReaderPath() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  const std::filesystem::path folder = program.parent_path();
  for (const std::filesystem::path& path :
       {folder / kMeshReaderFile, folder / LW_MESH_READER_DIR / kMeshReaderFile}) {
    if (::access(path.c_str(), X_OK) == 0) return path.string();
  }
  return {};
}

std::uint64_t MemoryLimit(const MeshReaderLimits& limits, std::size_t fileBytes) {
  const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGESIZE);
  const std::uint64_t quarter =
      pages > 0 && pageSize > 0 ? std::uint64_t(pages) * std::uint64_t(pageSize) / 4 : ~0ull;
  const std::uint64_t wanted = limits.baseMemoryBytes + 8 * std::uint64_t{fileBytes};
  return std::max(limits.baseMemoryBytes, std::min(wanted, quarter));
}

enum class Io { Done, Stopped, TimedOut, Closed };

// The reader process and our end of its socket; ended and reaped when it goes.
class Reader {
 public:
  Reader(const WorkControl* work, int wallSeconds)
      : work_(work), deadline_(Clock::now() + std::chrono::seconds(wallSeconds)) {}
  ~Reader() {
    if (fd_ >= 0) ::close(fd_);
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  bool Start(const std::string& path, std::uint64_t memory, int seconds) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 0);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    std::string memoryText = std::to_string(memory), secondsText = std::to_string(seconds);
    std::string memoryFlag = "--memory", secondsFlag = "--seconds", program = path;
    char* argv[] = {program.data(),     memoryFlag.data(),  memoryText.data(),
                    secondsFlag.data(), secondsText.data(), nullptr};
    char* environment[] = {nullptr};  // nothing of ours to inherit
    const int spawned = ::posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, environment);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    fd_ = ends[0];
    if (spawned != 0) pid_ = -1;
    return spawned == 0;
  }

  Io Send(std::string_view data) {
    while (!data.empty()) {
      const ssize_t n = ::send(fd_, data.data(), data.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
      if (n > 0) {
        data.remove_prefix(static_cast<std::size_t>(n));
      } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
        if (const Io io = Wait(POLLOUT); io != Io::Done) return io;
      } else {
        return Io::Closed;
      }
    }
    return Io::Done;
  }

  Io Receive(char* data, std::size_t size) {
    while (size > 0) {
      const ssize_t n = ::recv(fd_, data, size, MSG_DONTWAIT);
      if (n > 0) {
        data += n;
        size -= static_cast<std::size_t>(n);
      } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
        if (const Io io = Wait(POLLIN); io != Io::Done) return io;
      } else {
        return Io::Closed;
      }
    }
    return Io::Done;
  }

  // Why a reader that closed its end without an answer ended.
  std::string DeathReason(int seconds) {
    int status = 0;
    // It is on its way out; a reader that lingers is ended.
    for (int wait = 0; wait < 100 && ::waitpid(pid_, &status, WNOHANG) == 0; ++wait) {
      ::usleep(10000);
    }
    if (::waitpid(pid_, &status, WNOHANG) == 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    if (WIFEXITED(status)) {
      return "the reader ended without an answer (exit " + std::to_string(WEXITSTATUS(status)) +
             ")";
    }
    switch (WIFSIGNALED(status) ? WTERMSIG(status) : 0) {
      case SIGXCPU:
      case SIGKILL:
        return "the reader ran past its " + std::to_string(seconds) + " s of processor time";
      case SIGABRT:
        return "the mesh library stopped its process over the file";
      case SIGSEGV:
      case SIGBUS:
        return "the mesh library crashed on the file (a damaged count, or nesting too deep)";
      default:
        return "the reader crashed on the file (signal " + std::to_string(WTERMSIG(status)) + ")";
    }
  }

 private:
  // Waits in slices short enough to answer a stop request within a few hundredths.
  Io Wait(short events) {
    for (;;) {
      if (Stopped(work_)) return Io::Stopped;
      if (Clock::now() > deadline_) return Io::TimedOut;
      pollfd p{fd_, events, 0};
      const int ready = ::poll(&p, 1, 20);
      if (ready > 0 && (p.revents & events) != 0) return Io::Done;
      if (ready > 0) return Io::Closed;  // hung up or failed without being ready
    }
  }

  const WorkControl* work_;
  Clock::time_point deadline_;
  pid_t pid_ = -1;
  int fd_ = -1;
};

void PutU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i));
}

void PutU64(std::string& out, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) out += static_cast<char>(v >> (8 * i));
}

std::uint64_t U64Of(const char* bytes) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(bytes[i]);
  return v;
}

// One conversation: the request, the companions the reader asks for, its answer.
class Conversation {
 public:
  Conversation(Reader& reader, const CompanionLoader& companions, std::uint64_t replyLimit)
      : reader_(reader), companions_(companions), replyLimit_(replyLimit) {}

  Io Run(std::string_view bytes, MeshFormat format, const std::string& fileName, G3dBlock& block,
         std::string& reason) {
    std::string request(kMeshRequestMagic);
    PutU32(request, static_cast<std::uint32_t>(format));
    PutU32(request, static_cast<std::uint32_t>(fileName.size()));
    request += fileName;
    PutU64(request, bytes.size());
    if (const Io io = reader_.Send(request); io != Io::Done) return io;
    if (const Io io = reader_.Send(bytes); io != Io::Done) return io;
    for (;;) {
      char head[9];
      if (const Io io = reader_.Receive(head, sizeof head); io != Io::Done) return io;
      const std::uint64_t length = U64Of(head + 1);
      const bool text = head[0] == kCompanionWanted || head[0] == kMeshRefused;
      if ((text && length > kMaxText) || (head[0] == kMeshRead && length > replyLimit_) ||
          (!text && head[0] != kMeshRead)) {
        reason = "the reader's reply is damaged";
        return Io::Done;
      }
      std::string payload(length, '\0');
      if (const Io io = reader_.Receive(payload.data(), length); io != Io::Done) return io;
      if (head[0] == kMeshRefused) {
        reason = payload.empty() ? "the mesh library refused the file" : payload;
        return Io::Done;
      }
      if (head[0] == kMeshRead) {
        if (DecodeMeshReply(payload, block, reason)) reason.clear();
        return Io::Done;
      }
      if (const Io io = SendCompanion(payload); io != Io::Done) return io;
    }
  }

 private:
  Io SendCompanion(const std::string& name) {
    const std::optional<std::string> file = companions_ ? companions_(name) : std::nullopt;
    std::string answer(1, file ? '\1' : '\0');
    PutU64(answer, file ? file->size() : 0);
    // A figure may come from its companions (a glTF's buffers) more than its main file.
    if (file) replyLimit_ += 64 * std::uint64_t{file->size()};
    if (const Io io = reader_.Send(answer); io != Io::Done) return io;
    return file ? reader_.Send(*file) : Io::Done;
  }

  Reader& reader_;
  const CompanionLoader& companions_;
  std::uint64_t replyLimit_;
};

}  // namespace

MeshReadResult ReadMeshApart(std::string_view bytes, MeshFormat format, const std::string& fileName,
                             const CompanionLoader& companions, G3dBlock& block,
                             std::string& reason, const WorkControl* work,
                             const MeshReaderLimits& limits) {
  reason = MeshFileProblem(bytes, format);
  if (!reason.empty()) return MeshReadResult::Refused;
  const std::string path = ReaderPath();
  if (path.empty()) {
    reason = "the mesh reader " + std::string(kMeshReaderFile) + " is not installed";
    return MeshReadResult::Refused;
  }
  const int seconds =
      limits.baseSeconds +
      limits.secondsPerMiB * static_cast<int>(std::min<std::size_t>(bytes.size() >> 20, 1u << 20));
  const int wallSeconds = 2 * seconds + 2;
  Reader reader(work, wallSeconds);
  if (!reader.Start(path, MemoryLimit(limits, bytes.size()), seconds)) {
    reason = "the mesh reader could not be started";
    return MeshReadResult::Refused;
  }
  Conversation conversation(reader, companions, 64 * std::uint64_t{bytes.size()} + (64u << 20));
  switch (conversation.Run(bytes, format, fileName, block, reason)) {
    case Io::Done:
      return reason.empty() ? MeshReadResult::Read : MeshReadResult::Refused;
    case Io::Stopped:
      reason = "stopped";
      return MeshReadResult::Stopped;
    case Io::TimedOut:
      reason = "the reader took longer than " + std::to_string(wallSeconds) + " s";
      return MeshReadResult::Refused;
    case Io::Closed:
      break;
  }
  reason = reader.DeathReason(seconds);
  return MeshReadResult::Refused;
}

}  // namespace lw
