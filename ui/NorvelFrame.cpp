#include "ui/NorvelFrame.h"

NorvelFrame::NorvelFrame(RuntimeInformationType* rit) : XmlFrame(rit, "NorvelFrame") {}
