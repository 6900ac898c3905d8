// The folders of src/ include each other only downwards, as docs/architecture.md states: a link
// that includes the transfer, or a model that includes the link, fails here.
#include <QDirIterator>
#include <QRegularExpression>
#include <QTest>

namespace {
// Every include in src/<folder> that `pattern` matches after the opening quote, as
// "file -> what the pattern captures"; nothing when the folder is not found.
QStringList includesIn(const QString& folder, const QString& pattern) {
    const QString root = QFINDTESTDATA("../src/" + folder);
    if (root.isEmpty())
        return {};
    const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"") + pattern,
                                     QRegularExpression::MultilineOption);
    QStringList found;
    for (QDirIterator it(root, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            found << file.fileName() + " -> unreadable";
        for (auto m = include.globalMatch(QString::fromUtf8(file.readAll())); m.hasNext();)
            found << QFileInfo(file).fileName() + " -> " + m.next().captured(1);
    }
    return found;
}
} // namespace

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
        const QStringList found = includesIn(folder, QStringLiteral("([a-z]+)/")); // a folder, a slash
        QVERIFY2(!found.isEmpty(), "source folder not found");
        QStringList wrong;
        for (const QString& f : found)
            if (!allowed.contains(f.section(QStringLiteral(" -> "), 1)))
                wrong << f;
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
    }

    // Within the window, one file reaches the link, starts jobs and touches the registry.
    void onlyTheMainWindowLinksReachTheLinkAndTheRegistry() {
        const QStringList found =
            includesIn(QStringLiteral("ui"),
                       QStringLiteral("(link/[^\"]+|transfer/transferhooks\\.h|platform/registrykey\\.h)\""));
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
