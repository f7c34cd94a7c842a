// Byte streams: the abstract stream and the memory stream. File and resource streams, which
// need the system, live in FileStream.h.
#pragma once

#include <cstdint>
#include <vector>

enum TSeekOrigin : uint16_t { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
    virtual ~TStream() = default;

    virtual void SetSize(int32_t) {}
    // Reads up to count bytes; returns how many arrived (fewer only at the end).
    virtual int32_t Read(void* buffer, int32_t count) = 0;
    virtual int32_t Write(const void* buffer, int32_t count) = 0;
    // Returns the new position.
    virtual int32_t Seek(int32_t offset, TSeekOrigin origin) = 0;

    int32_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int32_t position) { Seek(position, soBeginning); }
    int32_t Size();
    // Reads exactly count bytes or raises EAbort.
    void ReadExact(void* buffer, int32_t count);
    // Writes all count bytes or raises EStreamError.
    void WriteExact(const void* buffer, int32_t count);
};

// A stream over a growable block of memory that it owns.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : FBytes(std::move(bytes)) {}

    void SetSize(int32_t size) override;
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int32_t Seek(int32_t offset, TSeekOrigin origin) override;

    const std::vector<uint8_t>& Bytes() const { return FBytes; }

private:
    std::vector<uint8_t> FBytes;
    int32_t FPosition = 0;
};

// A read-only stream over bytes owned by someone else (a resource, a block in memory).
class TReadOnlyMemoryStream : public TStream {
public:
    TReadOnlyMemoryStream(const void* data, int32_t size)
        : FData(static_cast<const uint8_t*>(data)), FSize(size) {}

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void*, int32_t) override { return 0; }
    int32_t Seek(int32_t offset, TSeekOrigin origin) override;

private:
    const uint8_t* FData;
    int32_t FSize;
    int32_t FPosition = 0;
};
