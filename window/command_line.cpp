#include "window/command_line.h"

#include "catalogue/catalogue_places.h"
#include "resources/program_version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStringList>

#include <cstdio>

namespace lout {

namespace {

constexpr int kUsageError = 2;

// The options QGuiApplication and QApplication take for themselves.
const char* const kQtOptionsWithValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                           "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                           "display", "geometry", "style", "stylesheet"};
const char* const kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb"};

void write(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

QString helpText()
{
    return QStringLiteral(
               "用法：lout [选项]\n"
               "正激或桥式电路输出滤波电感辅助计算：选择磁芯型号，输入次级电压、输出电压、\n"
               "输出电流和开关频率，设定电流纹波，即可得到电感量、匝数、气隙、线径和股数。\n"
               "\n"
               "选项：\n"
               "  --catalogue 文件   读取这个磁芯数据库文件（Access/Jet 格式，如 db1.mdb）\n"
               "  -h, --help         显示本帮助后退出\n"
               "  -v, --version      显示版本号后退出\n"
               "\n")
        + QString::fromStdString(catalogueOrderText("--catalogue 文件"))
        + QStringLiteral(
              "\n"
              "自己的磁芯：用 core-catalogue init 我的磁芯.csv 写出随程序提供的磁芯目录，在电子表格中\n"
              "编辑后，用 core-catalogue build 我的磁芯.csv 加上第 2 项的文件名，做成自己的磁芯数据库\n"
              "（详见 core-catalogue --help）。\n"
              "\n"
              "退出状态：0 正常结束，1 启动时出错（如找不到磁芯数据库），2 命令行有误。\n");
}

// An option as the user wrote it ("--colour"), found by its bare name.
QString asWritten(const QStringList& arguments, const QString& name)
{
    for (const QString& argument : arguments.mid(1)) {
        const qsizetype dashes = argument.startsWith(QLatin1String("--")) ? 2 : 1;
        if (argument.startsWith(QLatin1Char('-')) && argument.mid(dashes).section(QLatin1Char('='), 0, 0) == name)
            return argument.section(QLatin1Char('='), 0, 0);
    }
    return name;
}

int complain(const QString& what)
{
    write(stderr, QStringLiteral("lout：%1。用 lout --help 查看用法。\n").arg(what));
    return kUsageError;
}

} // namespace

CommandLine readCommandLine(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    // Qt's options are single words after one dash (-platform, -style).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption catalogue(QStringLiteral("catalogue"), QString(), QStringLiteral("file"));
    parser.addOptions({help, version, catalogue});
    for (const char* name : kQtOptionsWithValue)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char* name : kQtFlags)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    CommandLine result;
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            result.exitStatus = complain(QStringLiteral("未知的选项“%1”").arg(asWritten(arguments, unknown.front())));
        else if (arguments.size() > 1 && arguments.back().startsWith(QLatin1Char('-'))
                 && !arguments.back().contains(QLatin1Char('=')))
            // Only an option that takes a value can fail as the last word.
            result.exitStatus = complain(QStringLiteral("选项“%1”后面缺少%2")
                                             .arg(arguments.back(),
                                                  arguments.back().endsWith(QLatin1String("catalogue"))
                                                      ? QStringLiteral("文件名")
                                                      : QStringLiteral("值")));
        else
            result.exitStatus = complain(QStringLiteral("命令行有误：%1").arg(parser.errorText()));
        return result;
    }
    if (parser.isSet(help)) {
        write(stdout, helpText());
        result.exitStatus = 0;
        return result;
    }
    if (parser.isSet(version)) {
        write(stdout, QStringLiteral("lout %1\n").arg(QString::fromUtf8(programVersion().data(),
                                                                          qsizetype(programVersion().size()))));
        result.exitStatus = 0;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.exitStatus = complain(QStringLiteral("不接受参数“%1”").arg(parser.positionalArguments().front()));
        return result;
    }
    if (parser.isSet(catalogue)) {
        const QString file = parser.value(catalogue);
        if (file.isEmpty()) {
            result.exitStatus = complain(QStringLiteral("选项“--catalogue”的文件名是空的"));
            return result;
        }
        result.catalogue = std::filesystem::path(QDir::current().absoluteFilePath(file).toStdString());
    }
    return result;
}

} // namespace lout
