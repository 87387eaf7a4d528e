#pragma once

#include <charconv>
#include <string>
#include <string_view>

// The decimal digits of a finite double, as its scientific form gives them:
// value = ±0.d1d2d3... × 10^(exponent + 1). With `precision` the digits are
// rounded to precision + 1 significant ones; without, the shortest digits that
// read back as the same double.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    static DecimalDigits of(double value, int precision = -1)
    {
        char buf[64];
        const auto res = precision < 0 ? std::to_chars(buf, buf + sizeof buf, value,
                                                       std::chars_format::scientific)
                                       : std::to_chars(buf, buf + sizeof buf, value,
                                                       std::chars_format::scientific, precision);
        const std::string_view text(buf, size_t(res.ptr - buf));
        // "-d.ddde+XX"
        DecimalDigits d;
        d.negative = text.front() == '-';
        const std::string_view body = d.negative ? text.substr(1) : text;
        const size_t e = body.find('e');
        for (char c : body.substr(0, e))
            if (c != '.')
                d.digits.push_back(c);
        std::string_view expText = body.substr(e + 1);
        if (!expText.empty() && expText.front() == '+')
            expText.remove_prefix(1);
        std::from_chars(expText.data(), expText.data() + expText.size(), d.exponent);
        return d;
    }
};
