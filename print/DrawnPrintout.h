// A printout that draws its pages itself instead of laying out HTML: the result list and the
// address labels. It measures in tenths of a millimetre from the paper's corner on every
// paper and previews and prints as the sheet does. Owns nothing beyond its base.
#pragma once

#include <wx/dc.h>
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include "print/HtmlPrintoutLibrary.h"

class DrawnPrintout : public HtmlPrintoutLibrary {
public:
    // The drawing unit: a tenth of a millimetre.
    static constexpr int kUnitsPerMm = 10;
    // The most of a value drawn: more than any line of any paper holds.
    static constexpr size_t kMaxTextLength = 500;

    DrawnPrintout(const wxString& title, RuntimeInformationType* information);

    void OnPreparePrinting() override;
    bool OnPrintPage(int page) override;
    bool HasPage(int page) override;
    void GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) override;
    int GetPageCount() const { return pages; }

    static int Units(double millimetres)
    {
        return static_cast<int>(millimetres * kUnitsPerMm + 0.5);
    }
    // A value as it is drawn: on one line, as a line break or another control character
    // would draw over the next line, and no longer than kMaxTextLength.
    static wxString Plain(const wxString& text);
    // The text cut with an ellipsis to the width in the DC's font; as it is when it fits.
    static wxString Fitted(wxDC& dc, const wxString& text, int width);
    // The font whose lines are that high on the DC, in its units.
    static wxFont FontOfLineHeight(wxDC& dc, int height, bool bold = false);

protected:
    // The pages the paper (in units) takes.
    virtual int CountPages(const wxSize& paper) = 0;
    // Draws the page (from 1) on the paper, in units from its top left corner.
    virtual void DrawPage(wxDC& dc, int page, const wxSize& paper) = 0;

private:
    wxSize Paper() const;

    int pages = 0;
};
