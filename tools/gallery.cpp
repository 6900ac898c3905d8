// Writes a picture of the main window on every page (and every tab of a page's own tab row) of
// every model, at 100% and 200%, for a person to look at:
//   gallery <folder>   ->   <folder>/<model>_p<page>[_<tab>]_<scale>x.png
#include "support/openwindow.h"
#include "support/widgetfixtures.h"

#include <QApplication>
#include <QDir>

#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery");
    if (!QDir().mkpath(dir)) {
        qCritical("cannot make the folder %s", qPrintable(dir));
        return 1;
    }
    const char* models[] = {"TAVEK", "MIRUN", "MIRUNPLUS", "PELUN", "QUANE", "ZOREM"};
    int written = 0;
    for (int type = 1; type <= 6; ++type) {
        OpenWindow w(type);
        TForm6& form = *w.form;
        form.show();
        auto save = [&](const QString& name) {
            QApplication::processEvents();
            for (int ratio : {1, 2}) {
                const QString path = QStringLiteral("%1/%2_%3_%4x.png")
                                         .arg(dir, QLatin1String(models[type - 1]), name)
                                         .arg(ratio);
                if (!renderWidget(form, ratio).save(path)) {
                    qCritical("cannot write %s", qPrintable(path));
                    std::exit(1);
                }
                ++written;
            }
        };
        for (int p = 0; p < form.PageControl->count(); ++p) {
            if (!form.PageControl->tabVisible(p))
                continue;
            w.showPage(p);
            const QString page = QStringLiteral("p%1").arg(p, 2, 10, QLatin1Char('0'));
            const auto tabs = form.PageControl->page(p)->findChildren<TPageControl*>();
            if (tabs.isEmpty())
                save(page);
            for (TPageControl* tab : tabs)
                for (int t = 0; t < tab->count(); ++t)
                    if (tab->tabVisible(t)) {
                        tab->selectPageByUser(t);
                        save(QStringLiteral("%1_%2_%3").arg(page, tab->objectName()).arg(t));
                    }
        }
    }
    qInfo("gallery: %d pictures in %s", written, qPrintable(dir));
    return 0;
}
