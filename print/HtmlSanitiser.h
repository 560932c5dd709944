// Makes an HTML fragment of the directory (notes, opening hours, imprint) fit for the
// toolkit's HTML engine, which was not built for hostile input: it keeps ordinary markup and
// leaves out or bounds what would crash the engine, hang it, fill the memory or make it read
// a file. Every view of such a fragment, window and sheet, shows it through here. Holds
// nothing; every operation stands alone.
#pragma once

#include <cstddef>
#include <string_view>

#include <wx/string.h>

class HtmlSanitiser {
public:
    // The most characters of a fragment that are read; a longer one is cut there, between
    // tags and entities, with an ellipsis. (The engine takes a minute for a megabyte.)
    static constexpr size_t kMaxLength = 20000;
    // The deepest nesting kept of elements, of lists and of tables: the engine lays out
    // nested lists at a cost that doubles with each level, and runs out of stack on deep
    // nesting. A tag beyond these is left out; its text stays.
    static constexpr size_t kMaxDepth = 24;
    static constexpr size_t kMaxListDepth = 5;
    static constexpr size_t kMaxTableDepth = 3;
    // The most cells a table cell spans and a row holds: the engine allocates a grid of
    // every row by every column.
    static constexpr int kMaxSpan = 16;
    static constexpr int kMaxColumns = 32;
    // The widest length in pixels a width attribute keeps.
    static constexpr int kMaxPixels = 1000;

    // The fragment with only known tags and attributes of sane values, every element closed
    // (so that markup after it stays as it is), comments left out, images as their
    // alternative text (they would load from the file system), braces encoded as an entity
    // (a template would take them for placeholders), and cut at kMaxLength.
    static wxString Sanitise(const wxString& html);
    // The same for UTF-8 bytes, of which no more than can be kept is converted.
    static wxString SanitiseUtf8(std::string_view utf8);
    // The start of UTF-8 bytes that holds their first characters, converted: a text of
    // megabytes is not converted whole to show a part of it.
    static wxString Utf8Prefix(std::string_view utf8, size_t characters);
};
