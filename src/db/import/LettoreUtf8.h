#pragma once

// Reads the code points of a UTF-8 text as SQLite hands it over, without copying it; a byte
// that does not start a complete sequence is taken as the code point of its own value. The one
// UTF-8 decoder of the database layer.
class LettoreUtf8 {
public:
    LettoreUtf8(const char* testo, long long lunghezza)
        : p_(reinterpret_cast<const unsigned char*>(testo))
        , fine_(p_ + lunghezza) {}
    bool finito() const { return p_ >= fine_; }
    char32_t prossimo() {
        const unsigned char b = *p_++;
        if (b < 0x80)
            return b;
        const int seguiti = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        char32_t c = b & (0x3F >> seguiti);
        if (fine_ - p_ < seguiti)
            return b;
        for (int i = 0; i < seguiti; ++i)
            c = (c << 6) | (*p_++ & 0x3F);
        return c;
    }

private:
    const unsigned char* p_;
    const unsigned char* fine_;
};
