#include "state/native_profile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace pel {

namespace {

bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1A;
}

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE); }

// The text as the platform holds it after converting it through code page 936. A lead byte at the very
// end becomes '?' in a file and is dropped from a name or value handed in.
std::string ThroughCodePage(std::string_view bytes, bool dropLeadAtEnd) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (!IsCp936LeadByte(b)) {
            out += static_cast<char>(b);
            ++i;
        } else if (i + 1 < bytes.size()) {
            if (IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
                out.append(bytes.substr(i, 2));
            } else {
                out += '?';
            }
            i += 2;
        } else {
            if (!dropLeadAtEnd) out += '?';
            ++i;
        }
    }
    return out;
}

// Text handed in by the caller stops at its first NUL, as a C string would.
std::string Argument(const std::string& text) {
    return ThroughCodePage(std::string_view(text.c_str(), std::strlen(text.c_str())), true);
}

std::string_view TrimLeft(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && IsBlank(static_cast<unsigned char>(s[b]))) ++b;
    return s.substr(b);
}

// Blanks are single bytes below 0x40, so they never are the second byte of a character.
std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    std::size_t e = s.size();
    while (e > 0 && IsBlank(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(0, e);
}

std::size_t CharWidth(std::string_view s, std::size_t i) {
    return IsCp936LeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

std::size_t CharCount(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i += CharWidth(s, i)) ++n;
    return n;
}

// ASCII letters match in either case; double-byte characters only byte for byte (their second byte
// may look like a letter).
bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t width = CharWidth(a, i);
        if (width == 2) {
            if (a.substr(i, 2) != b.substr(i, 2)) return false;
        } else {
            unsigned char x = static_cast<unsigned char>(a[i]);
            unsigned char y = static_cast<unsigned char>(b[i]);
            if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
            if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
            if (x != y) return false;
        }
        i += width;
    }
    return true;
}

struct Key {
    std::string name;
    bool hasValue = false;
    std::string value;
};

struct Section {
    std::string name;
    std::vector<Key> keys;
};

// sections[0] holds the lines before the first section line.
struct Document {
    std::vector<Section> sections;
};

// Position of the last ']' that is a character of its own, or npos.
std::size_t LastClosingBracket(std::string_view line) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < line.size(); i += CharWidth(line, i)) {
        if (line[i] == ']') found = i;
    }
    return found;
}

void ParseLine(std::string_view line, Document& doc) {
    line = Trim(line);
    if (line.empty()) return;
    if (line[0] == '[') {
        const std::size_t close = LastClosingBracket(line);
        if (close != std::string_view::npos && close > 0) {
            doc.sections.push_back({std::string(Trim(line.substr(1, close - 1))), {}});
            return;
        }
    }
    Key key;
    const std::size_t eq = line.find('=');  // '=' is never the second byte of a character
    if (eq != std::string_view::npos) {
        key.name = Trim(line.substr(0, eq));
        key.value = Trim(line.substr(eq + 1));
        key.hasValue = true;
    } else {
        key.name = line;
    }
    doc.sections.back().keys.push_back(std::move(key));
}

Document Parse(std::string_view text) {
    Document doc;
    doc.sections.push_back({});
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
        const std::string_view line = text.substr(start, i - start);
        while (i < text.size() && (text[i] == '\r' || text[i] == '\n')) ++i;
        ParseLine(line, doc);
    }
    return doc;
}

std::string Serialize(const Document& doc) {
    std::string out;
    for (const Section& section : doc.sections) {
        if (!section.name.empty()) out += "[" + section.name + "]\r\n";
        for (const Key& key : section.keys) {
            out += key.name;
            if (key.hasValue) out += "=" + key.value;
            out += "\r\n";
        }
    }
    return out;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, const ProfileFiles* memory) {
    bytes.clear();
    if (memory) {
        const auto it = memory->find(path);
        if (it == memory->end()) return false;
        bytes = it->second;
        return true;
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes, ProfileFiles* memory) {
    if (memory) {
        (*memory)[path] = bytes;
        return true;
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    return written && closed;
}

Document Load(const std::string& path, const ProfileFiles* memory) {
    std::string bytes;
    ReadFileBytes(path, bytes, memory);  // a missing or unreadable file reads as an empty one
    return Parse(ThroughCodePage(bytes, false));
}

Section* FindSection(Document& doc, std::string_view name) {
    name = Trim(name);
    for (Section& section : doc.sections) {
        if (NamesEqual(section.name, name)) return &section;
    }
    return nullptr;
}

Key* FindKey(Section& section, std::string_view name) {
    name = Trim(name);
    for (Key& key : section.keys) {
        if (NamesEqual(key.name, name)) return &key;
    }
    return nullptr;
}

const Key* FindValue(Document& doc, const std::string& section, const std::string& key) {
    Section* s = FindSection(doc, Argument(section));
    if (!s) return nullptr;
    const Key* k = FindKey(*s, Argument(key));
    return k && k->hasValue ? k : nullptr;
}

// A value as copied into a buffer of `bufferChars` characters: one pair of matching quotes around it
// is dropped, and so is the closing quote's place when the value had to be cut.
std::string CopyEntry(std::string_view value, std::size_t bufferChars) {
    bool quoted = false;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        quoted = true;
        value.remove_prefix(1);
    }
    const std::size_t available = CharCount(value);
    std::size_t bytes = 0;
    std::size_t chars = 0;
    while (bytes < value.size() && chars + 1 < bufferChars) {
        bytes += CharWidth(value, bytes);
        ++chars;
    }
    std::string copy(value.substr(0, bytes));
    if (quoted && bufferChars >= available && !copy.empty()) {
        std::size_t last = 0;
        for (std::size_t i = 0; i < copy.size(); i += CharWidth(copy, i)) last = i;
        copy.resize(last);
    }
    return copy;
}

int HexDigit(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;  // letters past 'F' count on, as the platform does
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return -1;
}

// The platform's string-to-integer rule: leading control characters and spaces skipped, one sign,
// an optional 0x / 0o / 0b prefix, digits up to the first one that does not fit, 32-bit wrap-around.
int ParseProfileInt(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < s.size() && s[i] == '0') {
        if (s[i + 1] == 'x') base = 16;
        if (s[i + 1] == 'o') base = 8;
        if (s[i + 1] == 'b') base = 2;
        if (base != 10) i += 2;
    }
    std::uint32_t total = 0;
    for (; i < s.size(); ++i) {
        const int digit = HexDigit(static_cast<unsigned char>(s[i]));
        if (digit < 0 || static_cast<unsigned>(digit) >= base) break;
        total = total * base + static_cast<std::uint32_t>(digit);
    }
    if (negative) total = 0u - total;
    return static_cast<int>(total);
}

}  // namespace

int NativeProfile::ReadInt(const std::string& path, const std::string& section, const std::string& key,
                           int def) {
    Document doc = Load(path, memory_);
    const Key* k = FindValue(doc, section, key);
    if (!k) return def;
    return ParseProfileInt(CopyEntry(k->value, 30));  // the platform reads numbers through 30 characters
}

std::string NativeProfile::ReadString(const std::string& path, const std::string& section,
                                      const std::string& key, const std::string& def) {
    Document doc = Load(path, memory_);
    std::string value;
    if (const Key* k = FindValue(doc, section, key)) {
        value = CopyEntry(k->value, kProfileValueMax + 1);
    } else {
        // Trailing spaces of the default are dropped, but never its first character.
        std::string d = Argument(def);
        std::size_t len = d.size();
        while (len > 1 && d[len - 1] == ' ') --len;
        d.resize(len);
        value = CopyEntry(d, kProfileValueMax + 1);
    }
    CutToCharBoundary(value, kProfileValueMax);
    return value;
}

bool NativeProfile::WriteString(const std::string& path, const std::string& section, const std::string& key,
                                const std::string& value) {
    Document doc = Load(path, memory_);
    const std::string sectionName(TrimLeft(Argument(section)));
    const std::string keyName(TrimLeft(Argument(key)));
    const std::string newValue(TrimLeft(Argument(value)));

    Section* s = FindSection(doc, sectionName);
    if (!s) {
        doc.sections.push_back({sectionName, {}});
        s = &doc.sections.back();
    }
    Key* k = FindKey(*s, keyName);
    if (!k) {
        s->keys.push_back({keyName, false, {}});
        k = &s->keys.back();
    }
    if (k->hasValue && k->value == newValue) return true;  // nothing changes, the file stays as it is
    k->hasValue = true;
    k->value = newValue;
    return WriteFileBytes(path, Serialize(doc), memory_);
}

bool NativeProfile::ReadStruct(const std::string& path, const std::string& section, const std::string& key,
                               void* data, std::size_t size) {
    Document doc = Load(path, memory_);
    const Key* k = FindValue(doc, section, key);
    if (!k || CharCount(k->value) < 2 * size + 2) return false;
    // Every character parsed below is an ASCII letter or digit, so byte and character positions agree.
    const std::string& v = k->value;
    std::vector<unsigned char> bytes(size);
    unsigned sum = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        const int high = HexDigit(static_cast<unsigned char>(v[2 * i]));
        if (high < 0) return false;
        const int low = HexDigit(static_cast<unsigned char>(v[2 * i + 1]));
        if (low < 0) return false;
        const unsigned char b = static_cast<unsigned char>((high << 4) + low);
        if (i == size) {
            if (b != (sum & 0xFF)) return false;
        } else {
            bytes[i] = b;
            sum += b;
        }
    }
    if (size > 0) std::memcpy(data, bytes.data(), size);
    return true;
}

bool NativeProfile::WriteStruct(const std::string& path, const std::string& section, const std::string& key,
                                const void* data, std::size_t size) {
    static const char kHex[] = "0123456789ABCDEF";
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string text;
    unsigned sum = 0;
    for (std::size_t i = 0; i < size; ++i) {
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 0x0F];
        sum += bytes[i];
    }
    text += kHex[(sum >> 4) & 0x0F];
    text += kHex[sum & 0x0F];
    return WriteString(path, section, key, text);
}

}  // namespace pel
