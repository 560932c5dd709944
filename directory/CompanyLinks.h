// The company's own web site and mail address as links that a click hands to the desktop:
// only web pages (http, https, or an address without a scheme) and mail addresses, so that a
// value from the directory file can neither run a script nor open a local file. The vCard's
// URL follows the same rule. Holds nothing.
#pragma once

#include <string>
#include <string_view>

#include <wx/string.h>

class CompanyEntity;

class CompanyLinks {
public:
    // The text as a web address: surrounding blanks and every control character left out;
    // empty when it names a scheme other than http or https ("javascript:", "file:").
    static std::string WebAddress(std::string_view text);
    // The company's web site as the browser opens it, "http://" put before an address
    // without a scheme; empty when the field holds no web address.
    static wxString Website(const CompanyEntity& company);
    // "mailto:" and the company's mail address; empty when the field holds no single address
    // or one with characters that a mail program would read as more than the address
    // ("?attach=", "&cc=", blanks, several addresses).
    static wxString MailTo(const CompanyEntity& company);
};
