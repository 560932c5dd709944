// A company as an electronic business card: vCard 3.0, the form desktop mail clients, phones
// and web address books read contacts in. UTF-8 with CRLF line ends, no line longer than 75
// octets. Holds nothing; every operation stands alone.
#pragma once

#include <string>
#include <string_view>

class CompanyEntity;

class CompanyVCard {
public:
    // The longest line, in octets, before a line is folded onto the next.
    static constexpr size_t kMaxLineLength = 75;

    // Appends the company's card. An empty field gives no property, but the card always has
    // its formatted name, which the format requires.
    static void AppendCard(const CompanyEntity& company, std::string& bytes);

    // A text value with "\", ",", ";" and line breaks escaped, and other control characters
    // (the tab aside) left out.
    static std::string EscapeText(std::string_view text);
    // The notes' HTML as a reader sees it, in plain text: tags and comments removed, lines
    // ended where the markup breaks them (br, p, div, li, headings, table rows), white space
    // collapsed, character references decoded.
    static std::string PlainText(std::string_view html);
    // Appends "name:value" and CRLF, folded: a line of more than 75 octets goes on in lines
    // that start with one blank, and a UTF-8 sequence is never split.
    static void AppendLine(std::string_view name, std::string_view value, std::string& bytes);

private:
    // The character that an entity's name (between "&" and ";") stands for, in UTF-8; empty
    // for an unknown one.
    static std::string DecodeEntity(std::string_view name);
};
