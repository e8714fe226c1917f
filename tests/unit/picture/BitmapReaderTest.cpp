#include "AllocationLimit.h"
#include "BitmapPalette.h"
#include "BitmapReader.h"
#include "BmpBuilder.h"
#include "DibHeader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

struct ReadResult {
    int ok = 0;
    std::vector<uint8_t> block;
    uint32_t bitsOffset = 0;
};

ReadResult Read(const std::vector<uint8_t>& file)
{
    ReadResult r;
    MemorySource source(file.data(), file.size());
    r.ok = ReadBitmapFile(source, r.block, r.bitsOffset);
    return r;
}

// Records the size of every read, to see the chunking.
class RecordingSource : public MemorySource {
public:
    using MemorySource::MemorySource;
    size_t Read(uint8_t* buffer, size_t count) override
    {
        reads.push_back(count);
        return MemorySource::Read(buffer, count);
    }
    std::vector<size_t> reads;
};

BmpSpec Spec8Bit()
{
    BmpSpec s;
    s.width = 4;
    s.height = 2;
    s.bitCount = 8;
    s.tableEntries = 256;
    s.bits = Ramp(8);
    return s;
}

struct AcceptedCase {
    std::string name;
    BmpSpec spec;
    uint32_t bitsOffset;
    uint32_t clrUsed;   // in the block
    uint32_t sizeImage; // in the block
    size_t bitsInFile;  // where the expected bits start in the file
};

std::vector<AcceptedCase> AcceptedCases()
{
    std::vector<AcceptedCase> cases;
    cases.push_back({"8 bit, clrUsed 0: full table", Spec8Bit(), 1064, 256, 8, 54 + 1024});

    BmpSpec rgb;
    rgb.width = 3;
    rgb.height = 2;
    rgb.bits = Ramp(24);
    cases.push_back({"24 bit, image size 0: 3x2 gives 24 bytes", rgb, 40, 0, 24, 54});

    BmpSpec four;
    four.width = 5;
    four.height = 3;
    four.bitCount = 4;
    four.clrUsed = 5;
    four.tableEntries = 5;
    four.bits = Ramp(12);
    cases.push_back({"4 bit with 5 colours", four, 60, 5, 12, 54 + 20});

    BmpSpec widest; // at the painting's limits: 65535 pixels, biClrUsed the whole table
    widest.width = 65535;
    widest.bitCount = 1;
    widest.clrUsed = 2;
    widest.tableEntries = 2;
    widest.bits = Ramp(8192);
    cases.push_back({"1 bit, 65535 pixels wide, 2 colours", widest, 48, 2, 8192, 54 + 8});

    BmpSpec gap = rgb;
    gap.gap = 10;
    gap.offBits = 54 + 10;
    cases.push_back({"bfOffBits beyond a gap", gap, 40, 0, 24, 64});

    BmpSpec topDown = rgb;
    topDown.height = -2;
    cases.push_back({"top-down rows", topDown, 40, 0, 24, 54});

    BmpSpec shortImage = rgb;
    shortImage.sizeImage = 5;
    cases.push_back({"biSizeImage below the rows: every row is read", shortImage, 40, 0, 24, 54});

    BmpSpec longImage = rgb;
    longImage.sizeImage = 30;
    longImage.bits = Ramp(30);
    cases.push_back({"biSizeImage above the rows: read as given", longImage, 40, 0, 30, 54});

    BmpSpec v5 = rgb;
    v5.headerSize = 124;
    v5.extraHeader.assign(84, 0xAB);
    cases.push_back({"V5 header: only its first 40 bytes reach the block", v5, 40, 0, 24, 14 + 124});

    BmpSpec fields;
    fields.width = 2;
    fields.height = 1;
    fields.bitCount = 16;
    fields.compression = dib::kBitFields;
    fields.masks = {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
    fields.bits = Ramp(4);
    cases.push_back({"16 bit with masks after the header", fields, 52, 0, 4, 54 + 12});

    BmpSpec v4Fields = fields;
    v4Fields.headerSize = 108;
    v4Fields.extraHeader.assign(68, 0);
    v4Fields.extraHeader[1] = 0xF8;
    v4Fields.masks.clear();
    cases.push_back({"bit-field masks inside a V4 header", v4Fields, 52, 0, 4, 14 + 108});

    BmpSpec rle;
    rle.width = 4;
    rle.height = 2;
    rle.bitCount = 8;
    rle.compression = dib::kRle8;
    rle.clrUsed = 2;
    rle.tableEntries = 2;
    rle.sizeImage = 6;
    rle.bits = {4, 1, 0, 0, 0, 1};
    cases.push_back({"run-length bits as long as biSizeImage says", rle, 48, 2, 6, 54 + 8});
    return cases;
}

TEST(ReadBitmapFile, AcceptedFilesGiveAPackedBlock)
{
    for (const AcceptedCase& c : AcceptedCases()) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> file = BuildBmp(c.spec);
        ReadResult r = Read(file);
        ASSERT_EQ(r.ok, 1);
        EXPECT_EQ(r.bitsOffset, c.bitsOffset);
        ASSERT_EQ(r.block.size(), c.bitsOffset + c.sizeImage);
        dib::InfoHeader h = dib::ParseInfoHeader(r.block.data());
        EXPECT_EQ(h.size, 40u);
        EXPECT_EQ(h.clrUsed, c.clrUsed);
        EXPECT_EQ(h.sizeImage, c.sizeImage);
        EXPECT_EQ(h.width, c.spec.width);
        EXPECT_EQ(h.height, c.spec.height);
        std::vector<uint8_t> expected(file.begin() + static_cast<long>(c.bitsInFile),
                                      file.begin() + static_cast<long>(c.bitsInFile + c.sizeImage));
        EXPECT_EQ(std::vector<uint8_t>(r.block.begin() + c.bitsOffset, r.block.end()), expected);
        // The masks of a bit-field bitmap land between the header and the bits.
        EXPECT_TRUE(c.spec.compression != dib::kBitFields || r.block[41] == 0xF8); // red mask 0xF800
    }
}

struct RefusedCase {
    std::string name;
    std::vector<uint8_t> file;
};

std::vector<uint8_t> With(BmpSpec s, void (*change)(BmpSpec&))
{
    change(s);
    return BuildBmp(s);
}

std::vector<RefusedCase> RefusedCases()
{
    BmpSpec base = Spec8Bit();
    std::vector<uint8_t> good = BuildBmp(base);
    std::vector<RefusedCase> cases;
    cases.push_back({"empty file", {}});
    cases.push_back({"13 bytes", std::vector<uint8_t>(good.begin(), good.begin() + 13)});
    cases.push_back({"not BM", [&] { auto f = good; f[1] = 'A'; return f; }()});
    cases.push_back({"info header cut", std::vector<uint8_t>(good.begin(), good.begin() + 50)});
    cases.push_back({"one byte short of the bits", std::vector<uint8_t>(good.begin(), good.end() - 1)});
    cases.push_back({"colour table cut", std::vector<uint8_t>(good.begin(), good.begin() + 54 + 100)});
    cases.push_back({"core header", With(base, [](BmpSpec& s) { s.headerSize = 12; })});
    cases.push_back({"unknown header size 64", With(base, [](BmpSpec& s) { s.headerSize = 64; s.extraHeader.assign(24, 0); })});
    cases.push_back({"header size beyond the file", With(base, [](BmpSpec& s) { s.headerSize = 124; })});
    cases.push_back({"width 0", With(base, [](BmpSpec& s) { s.width = 0; })});
    cases.push_back({"negative width", With(base, [](BmpSpec& s) { s.width = -4; })});
    cases.push_back({"height 0", With(base, [](BmpSpec& s) { s.height = 0; })});
    cases.push_back({"height INT_MIN", With(base, [](BmpSpec& s) { s.height = INT32_MIN; })});
    cases.push_back({"width beyond 16 bits", With(base, [](BmpSpec& s) { s.width = 70000; })});
    cases.push_back({"2 bits per pixel", With(base, [](BmpSpec& s) { s.bitCount = 2; })});
    cases.push_back({"0 bits per pixel", With(base, [](BmpSpec& s) { s.bitCount = 0; })});
    cases.push_back({"JPEG compression", With(base, [](BmpSpec& s) { s.compression = 4; })});
    cases.push_back({"RLE8 on 4 bits", With(base, [](BmpSpec& s) { s.compression = dib::kRle8; s.bitCount = 4; })});
    cases.push_back({"top-down RLE", With(base, [](BmpSpec& s) { s.compression = dib::kRle8; s.height = -2; s.sizeImage = 8; })});
    cases.push_back({"bit fields on 8 bits", With(base, [](BmpSpec& s) { s.compression = dib::kBitFields; })});
    cases.push_back({"257 colours on 8 bits", With(base, [](BmpSpec& s) { s.clrUsed = 257; s.tableEntries = 257; })});
    cases.push_back({"17 colours on 4 bits", With(base, [](BmpSpec& s) { s.bitCount = 4; s.clrUsed = 17; s.tableEntries = 17; })});
    cases.push_back({"clrUsed with high bits", With(base, [](BmpSpec& s) { s.clrUsed = 0x10005; s.tableEntries = 5; })});
    cases.push_back({"image far larger than the file", With(base, [](BmpSpec& s) { s.width = 65535; s.height = 65535; s.bitCount = 32; })});
    cases.push_back({"biSizeImage near 4 GiB", With(base, [](BmpSpec& s) { s.sizeImage = 0xFFFFFFF0u; })});
    cases.push_back({"bfOffBits beyond the end", With(base, [](BmpSpec& s) { s.offBits = 100000; })});
    return cases;
}

TEST(ReadBitmapFile, RefusesBrokenAndHostileFiles)
{
    for (const RefusedCase& c : RefusedCases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Read(c.file).ok, 0);
    }
}

// A 24-bit picture of 1000 x 1000 pixels; its 3 MB of bits are zeros made as they are read.
class LargePicture : public ByteSource {
public:
    LargePicture()
    {
        BmpSpec spec;
        spec.width = spec.height = 1000;
        m_headers = BuildBmp(spec);
    }
    size_t Read(uint8_t* buffer, size_t count) override
    {
        size_t n = static_cast<size_t>(std::min<uint64_t>(count, Size() - m_position));
        for (size_t i = 0; i < n; ++i, ++m_position)
            buffer[i] = m_position < m_headers.size() ? m_headers[m_position] : 0;
        return n;
    }
    bool Seek(uint64_t offset) override
    {
        if (offset > Size())
            return false;
        m_position = offset;
        return true;
    }
    uint64_t Size() const override { return m_headers.size() + 3000000; }

private:
    std::vector<uint8_t> m_headers;
    uint64_t m_position = 0;
};

TEST(ReadBitmapFile, APictureTooLargeToAllocateIsNotRead)
{
    std::vector<uint8_t> block;
    uint32_t bitsOffset = 0;
    {
        LargePicture picture;
        AllocationLimit limit(1 << 20);
        EXPECT_EQ(ReadBitmapFile(picture, block, bitsOffset), 0);
    }
    EXPECT_TRUE(block.empty());
    LargePicture picture;
    EXPECT_EQ(ReadBitmapFile(picture, block, bitsOffset), 1) << "the next paint reads it once there is room";
    EXPECT_EQ(block.size(), 40u + 3000000u);
}

TEST(ReadFileInChunks, ReadsInPiecesOfAtMost32768)
{
    struct Case {
        uint32_t count;
        size_t available;
        uint32_t result;
        std::vector<size_t> reads;
    };
    const Case cases[] = {
        {100000, 100000, 100000, {32768, 32768, 32768, 1696}},
        {32768, 32768, 32768, {32768}},
        {32769, 40000, 32769, {32768, 1}},
        {0, 0, 0, {0}},
        {100000, 99999, 0, {32768, 32768, 32768, 1696}},
        {100000, 30000, 0, {32768}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        std::vector<uint8_t> data = Ramp(c.available);
        RecordingSource source(data.data(), data.size());
        std::vector<uint8_t> buffer(c.count);
        EXPECT_EQ(ReadFileInChunks(source, buffer.data(), c.count), c.result);
        EXPECT_EQ(source.reads, c.reads);
        if (c.result != 0) {
            EXPECT_EQ(buffer, std::vector<uint8_t>(data.begin(), data.begin() + c.count));
        }
    }
}

TEST(ColourCount, FollowsTheBitCount)
{
    struct Case {
        uint16_t bits;
        uint32_t clrUsed;
        int colours;
    };
    const Case cases[] = {{1, 0, 2},    {4, 0, 16},   {8, 0, 256},   {24, 0, 0},     {16, 0, 0},  {32, 0, 0},
                          {4, 5, 5},    {1, 2, 2},    {1, 3, -1},    {8, 257, -1},   {24, 256, 256}, {32, 257, -1},
                          {8, 0x10005, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.bits) + " bits, clrUsed " + std::to_string(c.clrUsed));
        EXPECT_EQ(ColourCount(c.bits, c.clrUsed), c.colours);
    }
}

TEST(ImageSize, PadsRowsToWholeWords)
{
    EXPECT_EQ(ImageSize(3, 2, 24), 24u);
    EXPECT_EQ(ImageSize(1, 1, 1), 4u);
    EXPECT_EQ(ImageSize(33, 1, 1), 8u);
    EXPECT_EQ(ImageSize(5, -3, 4), 12u);
    EXPECT_EQ(ImageSize(65535, 65535, 32), 65535ull * 65535 * 4);
}

TEST(BitmapPaletteEntries, TakeRedGreenBlueFromTheTable)
{
    BmpSpec four;
    four.width = 2;
    four.bitCount = 4;
    four.clrUsed = 5;
    four.tableEntries = 5;
    four.bits = Ramp(4);
    ReadResult r = Read(BuildBmp(four));
    ASSERT_EQ(r.ok, 1);
    std::vector<PaletteEntry> entries = BitmapPaletteEntries(r.block);
    ASSERT_EQ(entries.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(entries[i].red, 3 * i);
        EXPECT_EQ(entries[i].green, 2 * i);
        EXPECT_EQ(entries[i].blue, i);
        EXPECT_EQ(entries[i].flags, 0);
    }

    BmpSpec rgb;
    rgb.bits = Ramp(4);
    ReadResult noTable = Read(BuildBmp(rgb));
    ASSERT_EQ(noTable.ok, 1);
    EXPECT_TRUE(BitmapPaletteEntries(noTable.block).empty());
    EXPECT_EQ(BitmapPaletteEntries(Read(BuildBmp(Spec8Bit())).block).size(), 256u);
}

} // namespace
