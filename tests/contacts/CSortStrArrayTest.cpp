#include "contacts/CSortStrArray.h"
#include "contacts/ContactText.h"

#include <gtest/gtest.h>
#include <random>

namespace {

std::vector<std::string> sorted(std::vector<std::string> texts, bool byLastName) {
    CSortStrArray a;
    a.SetLastNameFlag(byLastName ? 1 : 0);
    for (auto& t : texts)
        a.Add(t);
    a.Sort();
    return a.Strings();
}

// The adjacent-exchange sort exactly as the list's order is defined: passes over
// neighbouring pairs, swapping when the first key compares greater, until a pass makes no
// swap. Written independently of the class as the yardstick for its faster sort.
struct Reference {
    static std::string key(const std::string& s, bool byLastName) {
        if (!byLastName)
            return s;
        std::size_t start = 0;
        for (std::size_t i = 0; i < s.size() && s[i] != '\r'; ++i) {
            if (s[i] == ' ')
                start = i + 1;
        }
        return s.substr(start);
    }
    static int compare(const std::string& a, const std::string& b) {
        for (std::size_t i = 0;; ++i) {
            if (i == a.size() || i == b.size())
                return (i == a.size() ? 0 : 1) - (i == b.size() ? 0 : 1);
            unsigned char x = static_cast<unsigned char>(a[i]);
            unsigned char y = static_cast<unsigned char>(b[i]);
            if (x >= 'A' && x <= 'Z')
                x = static_cast<unsigned char>(x + 32);
            if (y >= 'A' && y <= 'Z')
                y = static_cast<unsigned char>(y + 32);
            if (x != y)
                return x - y;
        }
    }
    static void sort(std::vector<std::string>& v, bool byLastName, int& tracked) {
        bool swapped = true;
        while (swapped) {
            swapped = false;
            for (int i = 0; i + 1 < static_cast<int>(v.size()); ++i) {
                const auto ui = static_cast<std::size_t>(i);
                if (compare(key(v[ui], byLastName), key(v[ui + 1], byLastName)) > 0) {
                    std::swap(v[ui], v[ui + 1]);
                    swapped = true;
                    if (tracked == i)
                        tracked = i + 1;
                    else if (tracked == i + 1)
                        tracked = i;
                }
            }
        }
    }
};

} // namespace

TEST(CSortStrArray, LastNameKeys) {
    struct Case {
        const char* what;
        std::vector<std::string> in;
        std::vector<std::string> out;
    };
    const std::vector<Case> cases = {
        {"equal last names are decided by the following lines, case-insensitively",
         {"Ann Lee\r\nb Road", "Bob Lee\r\nA Street"},
         {"Bob Lee\r\nA Street", "Ann Lee\r\nb Road"}},
        {"a first line without a space sorts by the whole text, not by later lines",
         {"Mr Dan Quinn\r\n1 Main", "Cher\r\nZ Road"},
         {"Cher\r\nZ Road", "Mr Dan Quinn\r\n1 Main"}},
        {"a first line ending in a space gives a key starting with the line break",
         {"Abe Aaron\r\nX", "Ann Lee \r\nY"},
         {"Ann Lee \r\nY", "Abe Aaron\r\nX"}},
        {"only A-Z are folded, to lower case: '_' sorts before letters",
         {"Al Ab", "Al _x"},
         {"Al _x", "Al Ab"}},
        {"bytes above 127 sort after ASCII letters",
         {"Al \xC3\x89mile", "Al Zoe"},
         {"Al Zoe", "Al \xC3\x89mile"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sorted(c.in, true), c.out) << c.what;

    // By whole text the first names decide.
    EXPECT_EQ(sorted({"Bob Lee\r\nA Street", "Ann Lee\r\nb Road"}, false),
              (std::vector<std::string>{"Ann Lee\r\nb Road", "Bob Lee\r\nA Street"}));
}

TEST(CSortStrArray, EqualKeysKeepTheirOrderThroughRepeatedSorts) {
    CSortStrArray a;
    a.SetLastNameFlag(1);
    for (const char* t :
         {"Zed Smith\r\n1 Road", "bob", "Ann Smith\r\n1 ROAD", "BOB", "Bob", "Al SMITH\r\n1 road"})
        a.Add(t);
    const std::vector<std::string> expected = {
        "bob", "BOB", "Bob", "Zed Smith\r\n1 Road", "Ann Smith\r\n1 ROAD", "Al SMITH\r\n1 road"};
    for (int i = 0; i < 3; ++i) {
        a.Sort();
        EXPECT_EQ(a.Strings(), expected) << "after sort " << i + 1;
    }
}

TEST(CSortStrArray, TrackedPositionFollowsItsText) {
    CSortStrArray a;
    for (const char* t : {"d", "b", "c", "a"})
        a.Add(t);
    a.SetTrackedPosition(4);
    a.Sort();
    EXPECT_EQ(a.GetTrackedPosition(), 1);

    CSortStrArray b;
    for (const char* t : {"d", "b", "c", "a"})
        b.Add(t);
    b.SetTrackedPosition(1);
    b.Sort();
    EXPECT_EQ(b.GetTrackedPosition(), 4);
    EXPECT_EQ(b.GetAt(3), "d");
}

TEST(CSortStrArray, SameOrderAsTheAdjacentExchangeSort) {
    // A small alphabet gives many equal and equal-but-for-case keys, spaces and line breaks
    // in odd places, bytes above 127 and zero bytes; texts run past 16 bytes, where the
    // sort stops comparing by its prefixes.
    const std::vector<std::string> pieces = {
        "a", "A", "b", "B", " ",        "\r\n",     "\n",
        "_", "Z", "z", "1", "\xC3\xA9", "\xC3\x89", std::string(1, '\0')};
    std::mt19937 rng(20240611);
    for (int round = 0; round < 400; ++round) {
        const int n = static_cast<int>(rng() % 40);
        std::vector<std::string> texts;
        for (int i = 0; i < n; ++i) {
            std::string t;
            const int len = static_cast<int>(rng() % 14);
            for (int j = 0; j < len; ++j)
                t += pieces[rng() % pieces.size()];
            texts.push_back(t);
        }
        for (const bool byLastName : {false, true}) {
            // Out-of-range tracked positions too: the exchange sort leaves them alone.
            const int trackedIn = static_cast<int>(rng() % (n + 2)) - 1;
            std::vector<std::string> expected = texts;
            int expectedTracked = trackedIn;
            Reference::sort(expected, byLastName, expectedTracked);

            CSortStrArray a;
            a.SetLastNameFlag(byLastName ? 1 : 0);
            for (const auto& t : texts)
                a.Add(t);
            a.SetTrackedPosition(trackedIn + 1);
            a.Sort();
            ASSERT_EQ(a.Strings(), expected) << "round " << round << " last name " << byLastName;
            ASSERT_EQ(a.GetTrackedPosition(), expectedTracked + 1) << "round " << round;
        }
    }
}

TEST(ContactText, DisplayTextAndAddress) {
    struct Case {
        std::string text;
        std::string display;
        bool hasAddress;
    };
    const std::vector<Case> cases = {
        {"Ann Lee\r\n1 Road\r\nTown", "Ann Lee", true},
        // Two lines without a trailing break: no address, both lines shown.
        {"Ann Lee\r\n1 Road", "Ann Lee\r\n1 Road", false},
        {"Ann Lee\r\n1 Road\r\n", "Ann Lee", true},
        {"\r\n\r\nRoad", "", true},
        {"\nRoad\n", "", true},
        {"  Ann Lee \t\r\n1 Road\r\n", "Ann Lee", true},
        {"  Ann \r\n", "Ann", false},
        // A bare LF line end keeps the whole first line.
        {"Ann\n1 Road\n", "Ann", true},
        {"", "", false},
    };
    for (const auto& c : cases) {
        const auto d = ContactText::DisplayText(c.text);
        EXPECT_EQ(d.text, c.display) << c.text;
        EXPECT_EQ(d.hasAddress, c.hasAddress) << c.text;
    }
}
