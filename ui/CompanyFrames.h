// The registry of open company windows: a plain ordered list of window pointers. It never
// deletes the windows; they leave it when they close.
#pragma once

#include <functional>

#include "lib/core/BKTemplateContainer.h"

class CompanyFrame;

class CompanyFrames : public Brenik::BKTemplateContainer<CompanyFrame*> {
public:
    // The open window showing the company; null when there is none.
    CompanyFrame* FindCompany(unsigned int companyId) const;
    // Places a newly opened window: the first one centred on the screen, each further one
    // down and to the right of the one opened before it, starting again at the display's
    // edge where it would leave the display.
    void Place(CompanyFrame* frame) const;
    // Takes a closing window out of the registry, then calls the handler set for it.
    void Leave(CompanyFrame* frame);
    void SetLeaveHandler(std::function<void()> handler) { leaveHandler = std::move(handler); }

private:
    std::function<void()> leaveHandler;
};
