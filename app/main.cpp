// The toolkit's entry: creates the Norvel application object and runs it.
#include "app/Norvel.h"

wxIMPLEMENT_APP(Norvel);
