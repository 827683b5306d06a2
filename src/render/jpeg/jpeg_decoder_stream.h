#pragma once
// Byte sources for the JPEG decoder. The decoder pulls its input through read() into a fixed
// 4096-byte buffer, so any source (a file, memory, a test's hostile bytes) can feed it.
#include <cstdint>
#include <cstdio>

class jpeg_decoder_stream {
public:
    virtual ~jpeg_decoder_stream() = default;

    // Places up to max_bytes bytes in buffer and returns how many, or -1 on a read error. Sets
    // end_of_file once no more data will come (a return of 0 without it also ends the input).
    virtual int read(uint8_t* buffer, int max_bytes, bool& end_of_file) = 0;

    // Hooks a source may use around a decode; the decoder's users never need them.
    virtual void attach() {}
    virtual void detach() {}
};

// Reads a file through a C stream.
class jpeg_decoder_file_stream : public jpeg_decoder_stream {
public:
    jpeg_decoder_file_stream() = default;
    jpeg_decoder_file_stream(const jpeg_decoder_file_stream&) = delete;
    jpeg_decoder_file_stream& operator=(const jpeg_decoder_file_stream&) = delete;
    ~jpeg_decoder_file_stream() override;

    // Closes any open file, clears both flags and opens file_name for binary reading.
    bool open(const char* file_name);
    void close();

    // -1 with no file open or after a read error; once the end of the file has been met every
    // further call sets end_of_file and returns 0.
    int read(uint8_t* buffer, int max_bytes, bool& end_of_file) override;

private:
    FILE* file_ = nullptr;
    bool end_of_file_ = false;
    bool read_error_ = false;
};

// Reads from bytes the caller keeps alive for the decoder's lifetime (tests, fuzzing, tools).
class jpeg_decoder_memory_stream : public jpeg_decoder_stream {
public:
    jpeg_decoder_memory_stream(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    int read(uint8_t* buffer, int max_bytes, bool& end_of_file) override;

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};
