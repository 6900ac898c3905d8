// The folders of src/ include each other only downwards, as docs/architecture.md states: a link
// that includes the transfer, or a model that includes the link, fails here.
#include <QDirIterator>
#include <QRegularExpression>
#include <QTest>

class TestLayers : public QObject {
    Q_OBJECT
private slots:
    void foldersIncludeOnlyTheLayersBelow_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("allowed");
        QTest::newRow("platform") << "platform" << QStringList{"platform"};
        QTest::newRow("model") << "model" << QStringList{"model", "platform"};
        QTest::newRow("link") << "link" << QStringList{"link", "platform"};
        QTest::newRow("transfer") << "transfer" << QStringList{"transfer", "link", "model", "platform"};
        QTest::newRow("ui") << "ui" << QStringList{"ui", "transfer", "link", "model", "platform"};
    }

    void foldersIncludeOnlyTheLayersBelow() {
        QFETCH(QString, folder);
        QFETCH(QStringList, allowed);
        const QString root = QFINDTESTDATA("../src/" + folder);
        QVERIFY2(!root.isEmpty(), "source folder not found");
        // An include of one of our folders: the quote, the folder name, a slash.
        static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"([a-z]+)/"),
                                                QRegularExpression::MultilineOption);
        QStringList wrong;
        int files = 0;
        for (QDirIterator it(root, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            ++files;
            const QString text = QString::fromUtf8(file.readAll());
            for (auto m = include.globalMatch(text); m.hasNext();) {
                const QString layer = m.next().captured(1);
                if (!allowed.contains(layer))
                    wrong << QFileInfo(file).fileName() + " -> " + layer;
            }
        }
        QVERIFY(files > 0);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
    }

    // Within the window, one file reaches the link, starts jobs and touches the registry.
    void onlyTheMainWindowLinksReachTheLinkAndTheRegistry() {
        const QString root = QFINDTESTDATA("../src/ui");
        QVERIFY2(!root.isEmpty(), "source folder not found");
        static const QRegularExpression include(
            QStringLiteral("^\\s*#\\s*include\\s+\"(link/[^\"]+|transfer/transferhooks\\.h|"
                           "platform/registrykey\\.h)\""),
            QRegularExpression::MultilineOption);
        QStringList found;
        for (QDirIterator it(root, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            for (auto m = include.globalMatch(text); m.hasNext();)
                found << QFileInfo(file).fileName() + " -> " + m.next().captured(1);
        }
        QVERIFY(!found.isEmpty());
        QStringList wrong;
        for (const QString& f : found)
            if (!f.startsWith(QLatin1String("mainwindow_links.cpp ")))
                wrong << f;
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(TestLayers)
#include "test_layers.moc"
