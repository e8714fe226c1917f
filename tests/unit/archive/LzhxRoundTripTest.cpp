// Archives made by `lzhx a` from random trees, extracted by lhasa and bsdtar (independent extractors) and by our
// own decoder: byte-identical files under the same names, for every method and both header levels. The trees
// hold Shift-JIS names (some with a trail byte 0x5C), empty files, incompressible data and members over 64 KiB.

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <iconv.h>
#include <random>

using namespace lzhtest;

namespace {

std::string Convert(const std::string& text, const char* to, const char* from)
{
    iconv_t cd = iconv_open(to, from);
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    char* o = out.data();
    size_t inLeft = text.size(), outLeft = out.size();
    iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

std::string Quote(const fs::path& p) { return "'" + p.string() + "'"; }

fs::path Lzhx()
{
    const char* bin = std::getenv("PARVEL_BINARY_DIR");
    return fs::path(bin ? bin : ".") / "archive" / "posix" / "lzhx";
}

// A random tree under root; returns relative UTF-8 path -> content.
std::map<std::string, Bytes> MakeTree(const fs::path& root, unsigned seed)
{
    std::mt19937 rng(seed);
    // ソ and 能 end in the byte 0x5C ('\\') in CP932.
    const char* names[] = {"形式", "横A-A4g.xlsm", "ソフト", "能力表.txt", "readme.txt", "DATA.BIN", "sub", "見積"};
    std::map<std::string, Bytes> tree;
    for (int i = 0; i < 12; ++i) {
        std::string rel;
        int depth = static_cast<int>(rng() % 3);
        for (int d = 0; d < depth; ++d)
            rel += std::string(names[rng() % 8]) + "_d/";
        rel += std::string(names[rng() % 8]) + "_" + std::to_string(i);
        Bytes data;
        switch (rng() % 4) {
        case 0:
            break; // empty
        case 1:
            data.resize(100000 + rng() % 50000);
            for (auto& b : data)
                b = static_cast<uint8_t>(rng());
            break;
        default: {
            size_t size = rng() % 2 ? 200 + rng() % 1000 : 70000 + rng() % 200000;
            std::string s;
            while (s.size() < size)
                s += "line " + std::to_string(rng() % 5000) + " pipe cable valve\r\n";
            data.assign(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(size));
        }
        }
        fs::create_directories((root / rel).parent_path());
        WriteBytes(root / rel, data);
        tree[rel] = data;
    }
    return tree;
}

// The tree with its names lower-cased (as ReadTree gives them) in the given charset.
std::map<std::string, Bytes> Expected(const std::map<std::string, Bytes>& utf8Tree, bool cp932)
{
    std::map<std::string, Bytes> out;
    for (const auto& [name, data] : utf8Tree) {
        std::string n = "src/" + name;
        for (char& c : n)
            c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        out[cp932 ? Convert(n, "CP932", "UTF-8") : n] = data;
    }
    return out;
}

TEST(LzhxRoundTripTest, LhasaBsdtarAndOurDecoderExtractWhatLzhxArchived)
{
    TempFolder temp;
    auto tree = MakeTree(temp.Path() / "src", 18);
    for (const char* method : {"lh0", "lh5", "lh6", "lh7"}) {
        for (const char* level : {"1", "2"}) {
            SCOPED_TRACE(std::string(method) + " level " + level);
            fs::path archive = temp.Path() / (std::string(method) + level + ".lzh");
            ASSERT_EQ(Shell("cd " + Quote(temp.Path()) + " && " + Quote(Lzhx()) + " a -m " + method + " -h " + level +
                            " " + Quote(archive) + " src >/dev/null"),
                      0);
            fs::path ours = temp.Path() / "ours", lhasa = temp.Path() / "lhasa", bsdtar = temp.Path() / "bsdtar";
            for (const auto& d : {ours, lhasa, bsdtar}) {
                fs::remove_all(d);
                fs::create_directories(d);
            }
            ASSERT_EQ(ExtractFile(archive, ours).kind, lzh::FailureKind::None);
            EXPECT_EQ(ReadTree(ours), Expected(tree, true));
            ASSERT_EQ(Shell("cd " + Quote(lhasa) + " && lhasa xq " + Quote(archive)), 0);
            EXPECT_EQ(ReadTree(lhasa), Expected(tree, true));
            ASSERT_EQ(Shell("LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 bsdtar xf " + Quote(archive) + " -C " + Quote(bsdtar) +
                            " --options hdrcharset=CP932"),
                      0);
            EXPECT_EQ(ReadTree(bsdtar), Expected(tree, false));
            // lhasa's own check of every CRC.
            EXPECT_EQ(Shell("lhasa tq " + Quote(archive)), 0);
        }
    }
}

TEST(LzhxRoundTripTest, AddReplacesMembersAndKeepsTheOthers)
{
    TempFolder temp;
    fs::path dir = temp.Path();
    WriteBytes(dir / "a.txt", Bytes(5000, 'a'));
    WriteBytes(dir / "b.txt", Bytes(5000, 'b'));
    std::string lzhx = Quote(Lzhx());
    ASSERT_EQ(Shell("cd " + Quote(dir) + " && " + lzhx + " a x.lzh a.txt b.txt >/dev/null"), 0);
    WriteBytes(dir / "a.txt", Bytes(7000, 'A'));
    WriteBytes(dir / "c.txt", Bytes(10, 'c'));
    ASSERT_EQ(Shell("cd " + Quote(dir) + " && " + lzhx + " a -m lh7 x.lzh a.txt c.txt >/dev/null"), 0);
    fs::create_directories(dir / "out");
    ASSERT_EQ(Shell("cd " + Quote(dir) + " && " + lzhx + " t x.lzh && " + lzhx + " e x.lzh -w out"), 0);
    EXPECT_EQ(ReadTree(dir / "out"), (std::map<std::string, Bytes>{
                                         {"a.txt", Bytes(7000, 'A')}, {"b.txt", Bytes(5000, 'b')}, {"c.txt", Bytes(10, 'c')}}));
}

TEST(LzhxRoundTripTest, BadCommandLinesAndNamesAreRefused)
{
    TempFolder temp;
    std::string cd = "cd " + Quote(temp.Path()) + " && " + Quote(Lzhx());
    WriteBytes(temp.Path() / "f", Bytes(3, 'f'));
    EXPECT_EQ(Shell(cd + " a -m lh9 x.lzh f 2>/dev/null"), 2 << 8);
    EXPECT_EQ(Shell(cd + " a -h 3 x.lzh f 2>/dev/null"), 2 << 8);
    EXPECT_EQ(Shell(cd + " a x.lzh 2>/dev/null"), 2 << 8);
    EXPECT_EQ(Shell(cd + " x x.lzh f 2>/dev/null"), 2 << 8);
    EXPECT_EQ(Shell(cd + " a x.lzh ../f 2>/dev/null"), 1 << 8);
    EXPECT_EQ(Shell(cd + " a x.lzh missing 2>/dev/null"), 1 << 8);
    EXPECT_FALSE(fs::exists(temp.Path() / "x.lzh"));
    // The command text form stays.
    ASSERT_EQ(Shell(cd + " a x.lzh f >/dev/null"), 0);
    EXPECT_EQ(Shell(cd + " 't \"x\"'"), 0);
}

}
