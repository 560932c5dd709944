// The program's main window (being built; replaced by the full window).
#pragma once

#include "app/XmlFrame.h"

class NorvelFrame : public XmlFrame {
public:
    explicit NorvelFrame(RuntimeInformationType* rit);
};
