#include "source_text.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#define DURIZ_LARGE_SOURCES 1
#endif

namespace {

#ifdef DURIZ_LARGE_SOURCES
constexpr size_t kHugePage = 2 * 1024 * 1024;
constexpr size_t kLargeFrom = 512 * 1024;  // smaller texts fit the heap well

// read(2), again after an interruption.
ssize_t ReadRetrying(int fd, char *to, size_t n) {
    ssize_t got;
    do {
        got = read(fd, to, n);
    } while (got < 0 && errno == EINTR);
    return got;
}
#endif

}  // namespace

SourceText &SourceText::operator=(SourceText &&other) noexcept {
    if (this != &other) {
        Drop();
        owned_ = std::move(other.owned_);
        held_ = std::exchange(other.held_, nullptr);
        size_ = std::exchange(other.size_, 0);
        span_ = std::exchange(other.span_, 0);
    }
    return *this;
}

void SourceText::Drop() {
#ifdef DURIZ_LARGE_SOURCES
    if (held_) munmap(held_, span_);
#endif
    held_ = nullptr;
    size_ = span_ = 0;
}

int SourceText::ReadLarge(int fd, size_t size) {
#ifdef DURIZ_LARGE_SOURCES
    // The mapping spans whole huge pages from a huge-page boundary.
    const size_t span = (size + 1 + kHugePage - 1) & ~(kHugePage - 1);
    void *mapping = mmap(nullptr, span + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) return kTakeHeap;
    const uintptr_t start = reinterpret_cast<uintptr_t>(mapping);
    const uintptr_t aligned = (start + kHugePage - 1) & ~static_cast<uintptr_t>(kHugePage - 1);
    if (aligned > start) munmap(mapping, aligned - start);
    if (const size_t tail = start + span + kHugePage - (aligned + span))
        munmap(reinterpret_cast<void *>(aligned + span), tail);
    char *place = reinterpret_cast<char *>(aligned);
#ifdef MADV_HUGEPAGE
    madvise(place, span, MADV_HUGEPAGE);  // advice only: small pages do as well
#endif
    // Up to the size the file had; a file that grew meanwhile is read
    // again with the heap.
    size_t got = 0;
    ssize_t n = 1;
    while (got < size && (n = ReadRetrying(fd, place + got, size - got)) > 0) got += static_cast<size_t>(n);
    char extra;
    if (n >= 0) n = ReadRetrying(fd, &extra, 1);
    if (n != 0) {
        const int error = n < 0 ? errno : kTakeHeap;
        munmap(place, span);
        return error;
    }
    held_ = place;
    size_ = got;
    span_ = span;
    return 0;
#else
    (void)fd;
    (void)size;
    return kTakeHeap;
#endif
}

bool SourceText::Read(const std::string &path) {
    Drop();
    owned_.clear();
    FILE *f = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
    if (!f) return false;
    struct stat info;
    if (f != stdin && fstat(fileno(f), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(f);
        errno = EISDIR;
        return false;
    }
    const bool sized = f != stdin && fstat(fileno(f), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
#ifdef DURIZ_LARGE_SOURCES
    if (sized && static_cast<size_t>(info.st_size) >= kLargeFrom) {
        const int large = ReadLarge(fileno(f), static_cast<size_t>(info.st_size));
        std::fclose(f);
        if (large == 0) return true;
        if (large != kTakeHeap) {
            errno = large;
            return false;
        }
        // No mapping to be had, or a file that grew: the heap takes the text.
        if (!(f = std::fopen(path.c_str(), "rb"))) return false;
    }
#endif
    const int error = ReadHeap(f, sized ? static_cast<size_t>(info.st_size) : 0);
    if (f != stdin) std::fclose(f);
    errno = error;
    return error == 0;
}

int SourceText::ReadHeap(FILE *f, size_t size) {
    // A text larger than the memory to be had is a file that cannot be
    // read, not the end of the program.
    try {
        // A file's size known beforehand: the text is read straight into
        // its place, without regrowing; what a growing file adds is
        // appended.
        if (size) {
            owned_.resize(size);
            owned_.resize(std::fread(&owned_[0], 1, size, f));
        }
        char buffer[65536];
        size_t n;
        while (!std::ferror(f) && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0) owned_.append(buffer, n);
    } catch (const std::exception &) {  // bad_alloc or length_error
        std::string().swap(owned_);
        return ENOMEM;
    }
    return std::ferror(f) ? EIO : 0;
}
