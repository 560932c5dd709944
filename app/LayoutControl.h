// One control of a window's layout: its name and class, and the member of the window that
// holds it. Each window lists its controls once in a table of these, which both finds them
// when the window is built and tells the layout contract what the layout must hold.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "app/XmlWindowLoader.h"

template <typename Window>
class LayoutControl {
public:
    template <typename T>
    LayoutControl(const char* name, T* Window::*member)
        : name(name), type(wxCLASSINFO(T)), find([name, member](Window& window) {
              window.*member = XmlWindowLoader::FindControl<T>(&window, name);
          })
    {
    }
    // A control of the layout that the window does not keep.
    LayoutControl(const char* name, wxClassInfo* type)
        : name(name), type(type), find([](Window&) {})
    {
    }

    // Finds every control of the table and puts it into its member.
    static void FindAll(Window& window, const std::vector<LayoutControl>& controls)
    {
        for (const LayoutControl& control : controls)
            control.find(window);
    }

    // The names and classes of the table, as the layout contract reads them.
    static std::vector<std::pair<const char*, wxClassInfo*>> Contract(
        const std::vector<LayoutControl>& controls)
    {
        std::vector<std::pair<const char*, wxClassInfo*>> contract;
        for (const LayoutControl& control : controls)
            contract.emplace_back(control.name, control.type);
        return contract;
    }

private:
    const char* name;
    wxClassInfo* type;
    std::function<void(Window&)> find;
};
