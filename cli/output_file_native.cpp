#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <optional>
#include "cli/output_file.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinkDepth = 40;  // as the kernel follows links
constexpr unsigned kMaxAttempts = 1000;

// A named temporary file is removed when an interrupt or termination signal
// ends the process; only one is written at a time.
char pendingTemporary[PATH_MAX];

void RemovePendingAndDie(int signalNumber) {
    if (pendingTemporary[0]) unlink(pendingTemporary);
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

void SetPendingTemporary(const fs::path& path) {
    static const bool installed = [] {
        for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
            struct sigaction previous;
            // A signal the caller ignores stays ignored.
            if (sigaction(signalNumber, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN)
                signal(signalNumber, RemovePendingAndDie);
        }
        return true;
    }();
    (void)installed;
    const std::string& name = path.native();
    if (name.size() < sizeof pendingTemporary) std::memcpy(pendingTemporary, name.c_str(), name.size() + 1);
}

void ClearPendingTemporary() { pendingTemporary[0] = 0; }

std::string SystemError() { return std::strerror(errno); }

// The file a path names once its symbolic links are followed; it need not exist.
std::optional<fs::path> ResolveLinks(fs::path path, std::string& error) {
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat status;
        if (lstat(path.c_str(), &status) != 0) {
            if (errno == ENOENT) return path;
            error = SystemError();
            return std::nullopt;
        }
        if (!S_ISLNK(status.st_mode)) return path;
        char link[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), link, sizeof link);
        if (length < 0 || length == static_cast<ssize_t>(sizeof link)) {
            error = length < 0 ? SystemError() : std::strerror(ENAMETOOLONG);
            return std::nullopt;
        }
        const fs::path target(std::string(link, static_cast<size_t>(length)));
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    error = std::strerror(ELOOP);
    return std::nullopt;
}

}  // namespace

struct OutputFile::Platform {
    fs::path resolved;     // the file the target resolves to
    fs::path temporary;    // the named temporary file, if one was made
    int descriptor = -1;   // the stream's
    bool direct = false;   // writes the target itself
    bool keepLinks = false;  // a file with several names is copied into, so all of them see the output

    int CreateTemporary(const struct stat* existing, std::string& error);
    bool LinkUnnamed(fs::path& linked, std::string& error) const;
    bool CopyIntoTarget(std::string& error) const;
};

// An unnamed file where the platform offers one, so that not even a killed
// process leaves it behind; else a new name beside the target. Open for
// reading too: a file with several names gets a copy of it.
int OutputFile::Platform::CreateTemporary(const struct stat* existing, std::string& error) {
    const fs::path directory = resolved.has_parent_path() ? resolved.parent_path() : fs::path(".");
    // A new file gets the usual mode less the umask, an existing one its own.
    const mode_t mode = existing ? existing->st_mode & 07777 : 0666;
    int file = open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    if (file < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        for (unsigned attempt = 0; file < 0 && attempt < kMaxAttempts; ++attempt) {
            const fs::path candidate = TemporaryPath(resolved, getpid(), attempt);
            file = open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (file >= 0) {
                temporary = candidate;
                SetPendingTemporary(temporary);
            } else if (errno != EEXIST) {
                break;
            }
        }
    }
    if (file < 0) {
        error = SystemError();
        return -1;
    }
    if (existing) {
        // Owner and group where this user may give them (only root may give
        // the owner away); the mode afterwards, as a new owner clears set-id bits.
        const bool owned = fchown(file, existing->st_uid, existing->st_gid) == 0;
        (void)owned;
        fchmod(file, mode);
        keepLinks = existing->st_nlink > 1;
    }
    return file;
}

// Gives the unnamed file a name beside the target, the next free one.
bool OutputFile::Platform::LinkUnnamed(fs::path& linked, std::string& error) const {
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor);
    for (unsigned attempt = 0; attempt < kMaxAttempts; ++attempt) {
        linked = TemporaryPath(resolved, getpid(), attempt);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, linked.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
        if (errno != EEXIST) break;
    }
    error = SystemError();
    return false;
}

bool OutputFile::Platform::CopyIntoTarget(std::string& error) const {
    const int target = open(resolved.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    bool copied = target >= 0 && lseek(descriptor, 0, SEEK_SET) == 0;
    char chunk[1 << 16];
    for (ssize_t count; copied && (count = read(descriptor, chunk, sizeof chunk)) != 0;)
        copied = count > 0 && write(target, chunk, static_cast<size_t>(count)) == count;
    if (!copied) error = SystemError();
    if (target >= 0 && close(target) != 0 && copied) {
        error = SystemError();
        copied = false;
    }
    return copied;
}

OutputFile::OutputFile(std::unique_ptr<Platform> platform, FILE* stream)
    : platform_(std::move(platform)), stream_(stream) {}

std::unique_ptr<OutputFile> OutputFile::Open(const fs::path& target, std::string& error) {
    auto platform = std::make_unique<Platform>();
    const std::optional<fs::path> resolved = ResolveLinks(target, error);
    if (!resolved) return nullptr;
    platform->resolved = *resolved;
    struct stat status;
    const bool exists = stat(resolved->c_str(), &status) == 0;
    if (exists && S_ISDIR(status.st_mode)) {
        error = "is a directory";
        return nullptr;
    }
    // The file is replaced by a new one, which its folder allows; the
    // file's own mode says whether the user may change it, as for ">".
    if (exists && S_ISREG(status.st_mode) && access(resolved->c_str(), W_OK) != 0) {
        error = SystemError();
        return nullptr;
    }
    platform->direct = exists && !S_ISREG(status.st_mode);
    const int file = platform->direct ? open(resolved->c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY)
                                      : platform->CreateTemporary(exists ? &status : nullptr, error);
    if (file < 0) {
        if (platform->direct) error = SystemError();
        return nullptr;
    }
    platform->descriptor = file;
    FILE* stream = fdopen(file, "wb");
    if (!stream) {
        error = SystemError();
        close(file);
        if (!platform->temporary.empty()) unlink(platform->temporary.c_str());
        ClearPendingTemporary();
        return nullptr;
    }
    return std::unique_ptr<OutputFile>(new OutputFile(std::move(platform), stream));
}

bool OutputFile::Commit(std::string& error) {
    Platform& p = *platform_;
    bool done = std::fflush(stream_) == 0;
    if (!done) error = SystemError();
    fs::path linked;
    if (done && !p.direct && !p.keepLinks && p.temporary.empty()) done = p.LinkUnnamed(linked, error);
    if (done && p.keepLinks) done = p.CopyIntoTarget(error);
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    if (done && !closed) error = SystemError();
    done = done && closed;
    const fs::path& named = p.temporary.empty() ? linked : p.temporary;
    if (done && !p.direct && !p.keepLinks && rename(named.c_str(), p.resolved.c_str()) != 0) {
        error = SystemError();
        done = false;
    }
    // Whatever still has a temporary name is no output.
    if (!named.empty() && (!done || p.keepLinks)) unlink(named.c_str());
    p.temporary.clear();
    ClearPendingTemporary();
    return done;
}

OutputFile::~OutputFile() {
    if (stream_) std::fclose(stream_);
    if (!platform_->temporary.empty()) unlink(platform_->temporary.c_str());
    ClearPendingTemporary();
}

bool IsTerminal(FILE* stream) { return isatty(fileno(stream)) == 1; }
