// The text of one source: a file read whole, standard input, or a text
// given on the command line.
#ifndef DURIZ_HOST_SOURCE_TEXT_H
#define DURIZ_HOST_SOURCE_TEXT_H

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

class SourceText {
public:
    SourceText() = default;
    explicit SourceText(std::string text) : owned_(std::move(text)) {}
    SourceText(SourceText &&other) noexcept { *this = std::move(other); }
    SourceText &operator=(SourceText &&other) noexcept;
    SourceText(const SourceText &) = delete;
    SourceText &operator=(const SourceText &) = delete;
    ~SourceText() { Drop(); }

    // Reads a file whole ("-" is standard input); false with errno set
    // when it cannot be read.
    bool Read(const std::string &path);
    std::string_view View() const { return held_ ? std::string_view(held_, size_) : std::string_view(owned_); }

private:
    // A large file's text is read into memory of its own, advised to be
    // backed by huge pages: taken a small page at a time, its megabytes
    // would cost a fault each 4 KB.
    std::string owned_;
    char *held_ = nullptr;
    size_t size_ = 0;
    size_t span_ = 0;

    // Reads a file of SIZE bytes into a mapping of its own: 0, kTakeHeap
    // when the heap should read it instead, or the errno of the failure.
    static constexpr int kTakeHeap = -1;
    int ReadLarge(int fd, size_t size);
    // Reads the rest of F into owned_ (SIZE bytes expected, 0 when not
    // known); 0, or the errno of the failure.
    int ReadHeap(FILE *f, size_t size);
    void Drop();
};

#endif
