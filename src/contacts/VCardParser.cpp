#include "contacts/VCardParser.h"

#include "contacts/ContactText.h"
#include "platform/Text.h"

#include <QStringDecoder>
#include <optional>
#include <string_view>

namespace {

using std::string_view;
constexpr auto npos = string_view::npos;

// How much of a file LooksLikeVCard looks at.
constexpr qsizetype kHeadBytes = 4096;

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool iequals(string_view a, string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

bool istartsWith(string_view s, string_view prefix) {
    return s.size() >= prefix.size() && iequals(s.substr(0, prefix.size()), prefix);
}

std::string upper(string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

// The data as 8-bit text: a UTF-8 byte-order mark is dropped, and UTF-16 with its
// byte-order mark becomes UTF-8 (held in converted).
string_view textOf(const QByteArray& data, std::string& converted) {
    const string_view raw(data.constData(), static_cast<std::size_t>(data.size()));
    if (raw.substr(0, 3) == "\xEF\xBB\xBF")
        return raw.substr(3);
    if (raw.size() >= 2 &&
        ((raw[0] == '\xFF' && raw[1] == '\xFE') || (raw[0] == '\xFE' && raw[1] == '\xFF'))) {
        const bool little = raw[0] == '\xFF';
        std::u16string units;
        units.reserve(raw.size() / 2);
        for (std::size_t i = 2; i + 1 < raw.size(); i += 2) {
            const auto a = static_cast<unsigned char>(raw[i]);
            const auto b = static_cast<unsigned char>(raw[i + 1]);
            units.push_back(static_cast<char16_t>(little ? a | b << 8 : a << 8 | b));
        }
        converted = Text::fromUtf16(units);
        return converted;
    }
    return raw;
}

// Physical lines, ended by CR LF, LF or CR.
class Lines {
public:
    explicit Lines(string_view text) : text_(text) {}
    bool atEnd() const { return pos_ >= text_.size(); }
    // The line at the read position; next is where the line after it starts.
    string_view peek(std::size_t& next) const {
        const std::size_t end = text_.find_first_of("\r\n", pos_);
        if (end == npos) {
            next = text_.size();
            return text_.substr(pos_);
        }
        next = end + 1;
        if (text_[end] == '\r' && next < text_.size() && text_[next] == '\n')
            ++next;
        return text_.substr(pos_, end - pos_);
    }
    string_view take() {
        std::size_t next;
        const string_view line = peek(next);
        pos_ = next;
        return line;
    }
    void advance(std::size_t next) { pos_ = next; }

private:
    string_view text_;
    std::size_t pos_ = 0;
};

bool isFolded(string_view line) {
    return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

bool isCardBoundary(string_view line) {
    return istartsWith(line, "BEGIN:VCARD") || istartsWith(line, "END:VCARD");
}

// A quoted-printable line ending in "=" continues on the next line, unless that line starts
// or ends a card (a writer that left a stray "=" must not swallow the card's end).
bool isSoftBreak(bool quotedPrintable, string_view previous, string_view line) {
    return quotedPrintable && !previous.empty() && previous.back() == '=' && !isCardBoundary(line);
}

// The colon that ends a property's name and parameters, outside quoted parameter values,
// searched from `from`; `quoted` carries the quoting across calls.
std::size_t findColon(string_view s, std::size_t from, bool& quoted) {
    for (std::size_t i = from; i < s.size(); ++i) {
        if (s[i] == '"')
            quoted = !quoted;
        else if (s[i] == ':' && !quoted)
            return i;
    }
    return npos;
}

struct Header {
    string_view name; // without its group
    bool quotedPrintable = false;
    bool base64 = false;
    std::string charset; // upper case; empty when not given
    std::size_t valueStart = 0;
};

bool isNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}

// Parameters are "KEY=value" (the value possibly quoted) or, in vCard 2.1, a bare value.
void readParameter(string_view p, Header& h) {
    p = ContactText::trim(p);
    const std::size_t eq = p.find('=');
    string_view key = eq == npos ? string_view() : ContactText::trim(p.substr(0, eq));
    string_view value = eq == npos ? p : ContactText::trim(p.substr(eq + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    if (key.empty() || iequals(key, "ENCODING")) {
        if (iequals(value, "QUOTED-PRINTABLE"))
            h.quotedPrintable = true;
        else if (iequals(value, "BASE64") || (!key.empty() && iequals(value, "B")))
            h.base64 = true;
    } else if (iequals(key, "CHARSET")) {
        h.charset = upper(value);
    }
}

// "group.NAME;PARAM=x;PARAM:value" up to its colon; nullopt when the name is not one.
std::optional<Header> parseHeader(string_view line, std::size_t colon) {
    const string_view head = line.substr(0, colon);
    std::size_t end = 0;
    while (end < head.size() && head[end] != ';')
        ++end;
    const string_view fullName = head.substr(0, end);
    if (fullName.empty())
        return std::nullopt;
    for (const char c : fullName) {
        if (!isNameCharacter(c))
            return std::nullopt;
    }
    Header h;
    const std::size_t dot = fullName.rfind('.');
    h.name = dot == npos ? fullName : fullName.substr(dot + 1);
    if (h.name.empty())
        return std::nullopt;
    bool quoted = false;
    std::size_t start = end + 1;
    for (std::size_t i = start; i <= head.size(); ++i) {
        if (i < head.size() && head[i] == '"')
            quoted = !quoted;
        if (i == head.size() || (head[i] == ';' && !quoted)) {
            if (start < i)
                readParameter(head.substr(start, i - start), h);
            start = i + 1;
        }
    }
    h.valueStart = colon + 1;
    return h;
}

// The properties a label is made of, and those that shape the cards.
bool isWanted(string_view name) {
    for (const char* wanted : {"BEGIN", "END", "VERSION", "N", "FN", "ADR", "AGENT"}) {
        if (iequals(name, wanted))
            return true;
    }
    return false;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = lower(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string decodeQuotedPrintable(string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '=') {
            out += s[i];
            continue;
        }
        if (i + 2 < s.size() && hexValue(s[i + 1]) >= 0 && hexValue(s[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(s[i + 1]) << 4 | hexValue(s[i + 2]));
            i += 2;
        } else if (i + 1 < s.size()) {
            out += '='; // not an escape: kept as written
        }
        // A final "=" is a soft break with nothing after it.
    }
    return out;
}

std::string toUtf8(string_view bytes, const std::string& charset) {
    if (charset.empty() || charset == "UTF-8" || charset == "UTF8" || charset == "US-ASCII" ||
        charset == "ASCII")
        return Text::from8Bit(bytes);
    if (charset == "WINDOWS-1252" || charset == "CP1252" || charset == "ISO-8859-1" ||
        charset == "ISO8859-1" || charset == "LATIN1")
        return Text::fromWindows1252(bytes);
    QStringDecoder decoder(charset.c_str());
    if (decoder.isValid()) {
        const QString decoded =
            decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        if (!decoder.hasError())
            return Text::fromQString(decoded);
    }
    return Text::from8Bit(bytes);
}

std::string decodeValue(string_view raw, const Header& h) {
    if (h.base64) {
        const QByteArray decoded =
            QByteArray::fromBase64(QByteArray(raw.data(), static_cast<qsizetype>(raw.size())));
        return toUtf8(string_view(decoded.constData(), static_cast<std::size_t>(decoded.size())),
                      h.charset);
    }
    if (h.quotedPrintable)
        return toUtf8(decodeQuotedPrintable(raw), h.charset);
    return toUtf8(raw, h.charset);
}

// One value as a label line or lines: line breaks become CR LF, other control characters
// (a TAB would split the line in a contact list file) spaces, and every line is trimmed;
// empty lines are dropped.
std::string cleanText(string_view value) {
    std::string out;
    std::size_t at = 0;
    while (at <= value.size()) {
        std::size_t end = value.find_first_of("\r\n", at);
        if (end == npos)
            end = value.size();
        std::string line(value.substr(at, end - at));
        for (char& c : line) {
            if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
                c = ' ';
        }
        const string_view trimmed = ContactText::trim(line);
        if (!trimmed.empty()) {
            if (!out.empty())
                out += "\r\n";
            out += trimmed;
        }
        at = end + 1;
    }
    return out;
}

// Splits a value at unescaped semicolons into at most maxComponents components (the rest of
// the value is not needed) and each component at unescaped commas (when lists) into values,
// resolving \n, \N, \, \; and \\. Each component's values are cleaned, empty ones dropped,
// and joined by joiner. Memory stays in proportion to the value, whatever its separators.
std::vector<std::string> splitValue(string_view v, std::size_t maxComponents, bool lists,
                                    const std::string& joiner) {
    std::vector<std::string> components;
    std::string joined;
    std::string current;
    const auto endValue = [&] {
        const std::string clean = cleanText(current);
        current.clear();
        if (clean.empty())
            return;
        if (!joined.empty())
            joined += joiner;
        joined += clean;
    };
    const auto endComponent = [&] {
        endValue();
        components.push_back(std::move(joined));
        joined.clear();
    };
    for (std::size_t i = 0; i < v.size(); ++i) {
        const char c = v[i];
        if (c == '\\' && i + 1 < v.size()) {
            const char n = v[++i];
            if (n == 'n' || n == 'N') {
                current += '\n';
            } else if (n == ',' || n == ';' || n == '\\') {
                current += n;
            } else {
                current += '\\';
                current += n;
            }
        } else if (c == ';' && maxComponents > 1) {
            endComponent();
            if (components.size() == maxComponents)
                return components;
        } else if (c == ',' && lists) {
            endValue();
        } else {
            current += c;
        }
    }
    endComponent();
    return components;
}

// A card between its BEGIN and END lines, holding the wanted values decoded but not yet
// split, since how commas are read depends on the VERSION that may come later.
struct OpenCard {
    std::string version;
    std::optional<std::string> formattedName;
    std::optional<std::string> name;
    std::optional<std::string> address;

    VCard finish() const {
        VCard card;
        card.version = version;
        // vCard 2.1 knows no value lists: a comma there is just a comma.
        const bool lists = !version.starts_with('2');
        if (formattedName)
            card.formattedName = splitValue(*formattedName, 1, false, " ").front();
        if (name)
            card.name = splitValue(*name, VCard::kNameParts, lists, " ");
        if (address)
            card.address = splitValue(*address, VCard::kAddressParts, lists, "\r\n");
        return card;
    }
};

// Moves past the continuation lines of a property that is not read.
void skipContinuation(Lines& lines, bool quotedPrintable, string_view last) {
    while (!lines.atEnd()) {
        std::size_t next;
        const string_view line = lines.peek(next);
        if (!isSoftBreak(quotedPrintable, last, line) && !isFolded(line))
            return;
        last = line;
        lines.advance(next);
    }
}

} // namespace

bool VCardParser::LooksLikeVCard(const QByteArray& data) {
    std::string converted;
    const QByteArray head = data.left(kHeadBytes);
    string_view text = textOf(head, converted);
    while (!text.empty() && ContactText::isWhiteSpace(text.front()))
        text.remove_prefix(1);
    return istartsWith(text, "BEGIN:VCARD");
}

std::vector<VCard> VCardParser::Parse(const QByteArray& data, std::size_t maxCards) {
    std::string converted;
    Lines lines(textOf(data, converted));
    std::vector<VCard> cards;
    std::optional<OpenCard> card;
    int nested = 0;            // depth of cards embedded in an AGENT property
    bool agentPending = false; // the previous property was an AGENT with its card to follow

    while (!lines.atEnd()) {
        const string_view first = lines.take();
        // Blank lines, and continuation lines of something that was not a property.
        if (first.empty() || isFolded(first))
            continue;

        bool quoted = false;
        std::size_t colon = findColon(first, 0, quoted);
        std::optional<Header> header;
        if (colon != npos)
            header = parseHeader(first, colon);
        if (header && !isWanted(header->name)) {
            skipContinuation(lines, header->quotedPrintable, first);
            agentPending = false;
            continue;
        }

        // A wanted property, or one whose name and parameters go on past this line.
        std::string logical(first);
        std::size_t scanned = logical.size();
        while (!lines.atEnd()) {
            std::size_t next;
            const string_view line = lines.peek(next);
            if (isSoftBreak(header && header->quotedPrintable, logical, line)) {
                logical.pop_back();
                logical += line;
            } else if (isFolded(line)) {
                logical += line.substr(1);
            } else {
                break;
            }
            lines.advance(next);
            if (colon == npos) {
                colon = findColon(logical, scanned, quoted);
                scanned = logical.size();
                if (colon != npos)
                    header = parseHeader(logical, colon);
            }
        }
        if (!header)
            continue;
        // The name viewed the text before it grew; growing may have moved it.
        header = parseHeader(logical, colon);

        const string_view name = header->name;
        const string_view value = string_view(logical).substr(header->valueStart);
        const bool isCardValue = iequals(ContactText::trim(value), "VCARD");
        const bool agent = agentPending;
        agentPending = iequals(name, "AGENT") && ContactText::trim(value).empty();

        if (iequals(name, "BEGIN") && isCardValue) {
            if (card && (agent || nested > 0))
                ++nested;
            else
                card.emplace(); // a card still open never ended and is dropped
            continue;
        }
        if (iequals(name, "END") && isCardValue) {
            if (nested > 0) {
                --nested;
            } else if (card) {
                cards.push_back(card->finish());
                card.reset();
                if (cards.size() > maxCards)
                    break;
            }
            continue;
        }
        if (!card || nested > 0)
            continue;
        if (iequals(name, "VERSION")) {
            card->version = std::string(ContactText::trim(value));
        } else if (iequals(name, "FN")) {
            if (!card->formattedName || ContactText::trim(*card->formattedName).empty())
                card->formattedName = decodeValue(value, *header);
        } else if (iequals(name, "N")) {
            if (!card->name)
                card->name = decodeValue(value, *header);
        } else if (iequals(name, "ADR")) {
            if (!card->address)
                card->address = decodeValue(value, *header);
        }
    }
    return cards;
}

std::vector<std::string> VCardParser::ContactTexts(const QByteArray& data, bool usStyle,
                                                   std::size_t maxCards) {
    std::vector<VCard> cards = Parse(data, maxCards);
    std::vector<std::string> texts;
    texts.reserve(cards.size());
    for (VCard& card : cards) {
        texts.push_back(card.ContactText(usStyle));
        texts.back().shrink_to_fit(); // built piece by piece
        card = VCard();               // each card's memory goes as its text comes
    }
    return texts;
}
