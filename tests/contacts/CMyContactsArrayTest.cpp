#include "contacts/CMyContactsArray.h"
#include "Bytes.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

namespace {

QByteArray stored(const CMyContactsArray& store) {
    ArchiveWriter w;
    store.Store(w);
    return w.data();
}

} // namespace

TEST(CMyContactsArray, MaskOperationsAndLookup) {
    CMyContactsArray s;
    s.Add("Ann", 0x1);
    s.Add("Bob", 0x4);
    s.Add("Ann", 0x2);
    s.SetBits(1, 0x8);
    s.ClearBits(1, 0x4);
    EXPECT_EQ(s.GetMask(1), 0x8u);
    EXPECT_EQ(s.TestBits(1, 0xC), 0x8u);
    EXPECT_EQ(s.TestBits(1, 0x4), 0u);
    EXPECT_EQ(s.Find("Ann"), 0);
    EXPECT_EQ(s.Find("Ann", 1), 2);
    EXPECT_EQ(s.Find("ann"), -1);
    EXPECT_EQ(s.FindWithBits("Ann", 0x2), 2);
    EXPECT_EQ(s.FindWithBits("Bob", 0x4), -1);

    CMyContactsArray t;
    t.Add("Cy", 0x10);
    t.Append(s);
    ASSERT_EQ(t.GetSize(), 4);
    EXPECT_EQ(t.GetAt(3), "Ann");
    EXPECT_EQ(t.GetMask(3), 0x2u);
    t.RemoveAt(0);
    EXPECT_EQ(t.GetAt(0), "Ann");
    EXPECT_EQ(t.GetMask(0), 0x1u);
}

TEST(CMyContactsArray, ArchiveBytes) {
    CMyContactsArray small;
    small.Add("Ann", 0x80000005u);
    small.Add("", 1);
    EXPECT_EQ(stored(small), bytesOf({0x02, 0x00, 0x03, 'A', 'n', 'n', 0x05, 0x00, 0x00, 0x80, 0x00,
                                      0x01, 0x00, 0x00, 0x00}));

    // A 300-byte text: 0xFF then the 16-bit length.
    CMyContactsArray longText;
    longText.Add(std::string(300, 'x'), 7);
    const QByteArray b = stored(longText);
    ASSERT_EQ(b.size(), 2 + 3 + 300 + 4);
    EXPECT_EQ(b.left(5), bytesOf({0x01, 0x00, 0xFF, 0x2C, 0x01}));
    EXPECT_EQ(b.right(4), bytesOf({0x07, 0x00, 0x00, 0x00}));

    // 70,000 entries: 0xFFFF then the 32-bit count.
    CMyContactsArray many;
    for (int i = 0; i < 70000; ++i)
        many.Add("c" + std::to_string(i), static_cast<std::uint32_t>(i));
    const QByteArray m = stored(many);
    EXPECT_EQ(m.left(6), bytesOf({0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));

    for (const CMyContactsArray* s : {&small, &longText, &many}) {
        ArchiveReader r(stored(*s));
        CMyContactsArray back;
        ASSERT_TRUE(back.Load(r));
        EXPECT_TRUE(r.atEnd());
        EXPECT_EQ(back, *s);
    }
}

TEST(CMyContactsArray, WideTextIsReadAsUtf8) {
    // The wide form: 0xFF, 0xFFFE, then the length in UTF-16 units and the units.
    ArchiveReader r(bytesOf({0x01, 0x00, 0xFF, 0xFE, 0xFF, 0x03, 'R', 0x00, 0xE9, 0x00, 0x3A, 0x04,
                             0x02, 0x00, 0x00, 0x00}));
    CMyContactsArray s;
    ASSERT_TRUE(s.Load(r));
    ASSERT_EQ(s.GetSize(), 1);
    EXPECT_EQ(s.GetAt(0), "R\xC3\xA9\xD0\xBA");
    EXPECT_EQ(s.GetMask(0), 2u);
}

TEST(CMyContactsArray, MalformedArchiveIsRejectedAndLeavesTheStore) {
    CMyContactsArray good;
    good.Add("Ann Lee", 3);
    good.Add(std::string(300, 'y'), 5);
    const QByteArray full = stored(good);

    CMyContactsArray before;
    before.Add("Kept", 9);
    // Every truncation, and a count far beyond what the data holds.
    std::vector<QByteArray> bad;
    for (qsizetype n = 0; n < full.size(); ++n)
        bad.push_back(full.left(n));
    bad.push_back(bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0, 0, 0}));
    bad.push_back(bytesOf({0x01, 0x00, 0xFF, 0xFE, 0xFF, 0x05, 'a', 0x00}));
    for (const auto& data : bad) {
        CMyContactsArray s = before;
        ArchiveReader r(data);
        EXPECT_FALSE(s.Load(r)) << data.toHex().toStdString();
        EXPECT_EQ(s, before);
    }
}
