#include "render/jpeg/jpeg_decoder_stream.h"

#include <algorithm>
#include <cstring>

jpeg_decoder_file_stream::~jpeg_decoder_file_stream() { close(); }

void jpeg_decoder_file_stream::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    end_of_file_ = false;
    read_error_ = false;
}

bool jpeg_decoder_file_stream::open(const char* file_name) {
    close();
    file_ = std::fopen(file_name, "rb");
    return file_ != nullptr;
}

int jpeg_decoder_file_stream::read(uint8_t* buffer, int max_bytes, bool& end_of_file) {
    if (!file_) return -1;
    if (end_of_file_) {
        end_of_file = true;
        return 0;
    }
    if (read_error_) return -1;
    const size_t wanted = static_cast<size_t>(std::max(max_bytes, 0));
    const size_t count = std::fread(buffer, 1, wanted, file_);
    if (count < wanted) {
        if (std::ferror(file_)) {
            read_error_ = true;
            return -1;
        }
        end_of_file_ = true;
        end_of_file = true;
    }
    return static_cast<int>(count);
}

int jpeg_decoder_memory_stream::read(uint8_t* buffer, int max_bytes, bool& end_of_file) {
    const size_t count = std::min(size_ - position_, static_cast<size_t>(std::max(max_bytes, 0)));
    if (count > 0) std::memcpy(buffer, data_ + position_, count);
    position_ += count;
    if (position_ == size_) end_of_file = true;
    return static_cast<int>(count);
}
