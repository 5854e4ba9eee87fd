#include "form/CommonDialog.h"

namespace datrelle {

void CommonDialog::ShowOpen() {
    // The earlier FileName is offered again in the name field, as the choosers never
    // clear it; what comes back replaces it, "" included.
    FileName = dialog_.ShowOpen({DialogTitle, Filter, InitDir, FileName});
}

}  // namespace datrelle
