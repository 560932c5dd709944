#include "ui/CompanyFrames.h"

#include "ui/CompanyFrame.h"

CompanyFrame* CompanyFrames::FindCompany(unsigned int companyId) const
{
    for (CompanyFrame* frame : items) {
        if (frame->GetCompanyId() == companyId)
            return frame;
    }
    return nullptr;
}
