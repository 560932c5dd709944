// Runs the data tools as the build made them, for the tool tests: a shell command with its
// output sent to files, and the exit code back.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include <wx/string.h>

#if !defined(NORVEL_GENDIR) || !defined(NORVEL_MAKEICON)
#error "NORVEL_GENDIR and NORVEL_MAKEICON must name the built norvel-gendir and norvel-makeicon"
#endif

// The text in single quotes for the shell.
inline std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::string ShellQuote(const wxString& text)
{
    return ShellQuote(text.utf8_string());
}

// Runs `program arguments`, writing its standard output and error to the two files; returns
// the exit code, or -1 when the program did not exit normally.
inline int RunTool(const std::string& program, const std::string& arguments, const wxString& out,
                   const wxString& err)
{
    std::string command =
        ShellQuote(program) + " " + arguments + " >" + ShellQuote(out) + " 2>" + ShellQuote(err);
    int status = std::system(command.c_str());
    if (status == -1 || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
