#include "drills/practice_drill.h"

#include "drills/browse_dlg.h"
#include "drills/spell_dlg.h"

void RunPracticeDrill(const DrillContext& context, bool spelling) {
    if (spelling) {
        CSpellDlg drill(context);
        drill.DoModal();
    } else {
        CBrowseDlg drill(context);
        drill.DoModal();
    }
}
