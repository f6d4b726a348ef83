#pragma once

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// Hands out a fuzzer input piece by piece. Past the end every read gives zero
// bytes, so each input, however short, is a complete test case.
class FuzzBytes
{
public:
    FuzzBytes(const std::uint8_t *data, std::size_t size) : data(data), size(size) {}

    std::uint8_t takeByte() { return pos < size ? data[pos++] : 0; }
    bool atEnd() const { return pos >= size; }

    QByteArray take(std::size_t n)
    {
        n = std::min(n, size - pos);
        const QByteArray piece(reinterpret_cast<const char *>(data + pos), int(n));
        pos += n;
        return piece;
    }

    QByteArray rest() { return take(size - pos); }

    // Overwrites the start of value's bytes with the next input bytes, as far
    // as they go: every field of a plain record, doubles included, can hold
    // whatever the fuzzer chooses.
    template <typename T> void fill(T &value)
    {
        static_assert(std::is_trivially_copyable<T>::value, "raw bytes only for plain records");
        const std::size_t n = std::min(sizeof(T), size - pos);
        std::memcpy(static_cast<void *>(&value), data + pos, n);
        pos += n;
    }

private:
    const std::uint8_t *data;
    std::size_t size;
    std::size_t pos = 0;
};

// The libFuzzer entry point every target defines.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);
