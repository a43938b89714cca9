#include "window/run_lout.h"

#include "catalogue/catalogue_places.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <cstdio>

namespace lout {

namespace {

void useApplicationFont(QApplication& app)
{
    // The layout is measured in cells of 12 pixels for a Chinese character
    // and 6 for a Latin one. Noto's face with half-width Latin letters keeps
    // those cells, so results such as "0.42 mm" fit their boxes; the
    // proportional face follows if it is missing.
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun")});
    font.setPixelSize(12);
    app.setFont(font);
}

// Qt's own texts (the buttons of a message box, a text box's context menu)
// in Simplified Chinese like the rest of the window, whatever the user's
// locale says.
void useChineseQtTexts(QApplication& app)
{
    static const QLatin1String kName("qtbase_zh_CN");
    if (app.findChild<QTranslator*>(kName, Qt::FindDirectChildrenOnly))
        return;
    auto* translator = new QTranslator(&app);
    translator->setObjectName(kName);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(kName, folder)) {
        std::fprintf(stderr, "lout: Qt 的中文翻译 %s/%s.qm 无法读取，按钮等文字将是英文\n",
                     folder.toLocal8Bit().constData(), kName.data());
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
}

} // namespace

void prepareApplication(QApplication& app)
{
    useApplicationFont(app);
    useChineseQtTexts(app);
}

// The same box on every platform: tests that provoke an error close it.
void showErrorBox(int number, const QString& message)
{
    QMessageBox::critical(nullptr, QStringLiteral("Omberlin电感辅助计算"),
                          QStringLiteral("运行时错误 '%1':\n\n%2").arg(number).arg(message));
}

namespace {

// A start-up error keeps its number and text; `hint` adds a line.
void report(const ErrorPresenter& presenter, int number, QString message, const std::string& hint = {})
{
    if (!hint.empty())
        message += QLatin1Char('\n') + QString::fromStdString(hint);
    std::fprintf(stderr, "lout: error %d: %s\n", number, message.toLocal8Bit().constData());
    std::fflush(stderr);
    if (presenter)
        presenter(number, message);
}

} // namespace

std::unique_ptr<Lout> startLout(QApplication& app, const std::filesystem::path& catalogue,
                                const ErrorPresenter& presenter, const std::string& hint)
{
    prepareApplication(app);
    auto window = std::make_unique<Lout>(presenter);
    try {
        window->startUp(catalogue);
    } catch (const CatalogueError& error) {
        report(presenter, error.number(), QString::fromStdString(error.what()), hint);
        return nullptr;
    } catch (const std::exception& error) {
        report(presenter, 0, QString::fromStdString(error.what()), hint);
        return nullptr;
    }
    return window;
}

int runLout(QApplication& app, const std::filesystem::path& catalogue, const ErrorPresenter& presenter,
            const std::string& hint)
{
    const std::unique_ptr<Lout> window = startLout(app, catalogue, presenter, hint);
    if (!window)
        return 1;
    // Closing the window ends the program, whatever the window manager
    // thinks of tool windows.
    QObject::connect(window.get(), &QDialog::finished, &app, &QCoreApplication::quit);
    window->show();
    return app.exec();
}

int runProgram(QApplication& app, const std::optional<std::filesystem::path>& named, const ErrorPresenter& presenter)
{
    CataloguePlace place{CataloguePlace::Kind::Named, {}};
    try {
        place = catalogueToRead(named);
    } catch (const CatalogueError& error) {
        prepareApplication(app);
        report(presenter, error.number(), QString::fromStdString(error.what()));
        return 1;
    }
    return runLout(app, place.file, presenter, ownCatalogueHint(place));
}

} // namespace lout
