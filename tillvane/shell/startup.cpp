#include "startup.h"

#include "autostart.h"
#include "tillvanedialog.h"

void startUp(TillvaneDialog& dialog)
{
    if (dialog.settingsFilesFound()) {
        dialog.on_btn_start_clicked();
        if (!dialog.systemTrayAvailable())
            dialog.show();
    } else {
        setAutoStart(true);
        dialog.show();
    }
}
