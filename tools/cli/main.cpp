// tovrin-cli: the app's refresh, plan, apply and undo for scripts and for
// machines without a desktop, over the same data folder as the app.
#include "cli.h"

#include "language.h"

#include <QGuiApplication>
#include <QJsonDocument>
#include <QLocale>

#include <functional>
#include <memory>
#include <optional>

namespace {

struct Command {
    QString name;
    QString synopsis; // the arguments after the name
    QString summary;
    QString details;
};

// The help of each subcommand; `tovrin-cli --help` lists them all, and the
// manual page is made from that.
const QList<Command>& commands() {
    static const QList<Command> all = {
        {"scan", "[FOLDER...] [--json]",
         "List what a refresh would see: kind, size, junk hints and duplicates.",
         "Reads only. Without folders, the scan folders of your profile, leaving out\n"
         "the folders Tovrin files into."},
        {"refresh", "[--mode quick|deep|junk] [--json]",
         "Run a whole refresh and keep its plan for review.",
         "quick (the default) looks at what is new since the last refresh, deep at\n"
         "everything and learns your projects again, junk only for clutter. The plan\n"
         "is saved as the app saves it: the app, or `tovrin-cli plan`, reviews it.\n"
         "A refresh estimated above your cost limit is stopped before it asks Claude."},
        {"plan", "[--json]",
         "Show the plan waiting for review, grouped as the review window groups it.",
         "Each file shows [x] when approved, [ ] when it stays where it is."},
        {"apply", "[--renames|--no-renames] [--json]",
         "Move the approved files of the waiting plan; --renames (the default) also renames.",
         "Nothing is overwritten or deleted, and every move is logged for undo."},
        {"undo", "[REFRESH] [--json]",
         "Put back the files of the latest refresh, or of the one numbered REFRESH in\n"
         "`tovrin-cli history`.",
         "Files changed or moved on since stay where they are."},
        {"history", "[--json]", "List the past refreshes that moved files, newest first.", ""},
        {"usage", "[--month YYYY-MM] [--json]",
         "Show what Claude cost in a month (this one by default) and in all.", ""},
    };
    return all;
}

const QString exitStatus =
    QStringLiteral("Exit status:\n"
                   "  0  done\n"
                   "  1  failed, or nothing to do; one line on standard error says why\n"
                   "  2  not run: a bad argument, or the app or another tovrin-cli is busy with a\n"
                   "     refresh, an apply or an undo\n");

void printUsage(QTextStream& to) {
    to << "Usage: tovrin-cli COMMAND [OPTIONS]\n\n"
          "Tovrin's refresh, review and undo from the command line, over the same data as\n"
          "the app. Progress goes to standard error: a bar on a terminal, plain lines\n"
          "otherwise. --json prints what a script reads.\n\n"
          "Commands:\n";
    for (const Command& command : commands())
        to << "  " << command.name << ' ' << command.synopsis << "\n      "
           << QString(command.summary).replace('\n', "\n      ") << '\n';
    to << "\nRun `tovrin-cli COMMAND --help` for more about one.\n\n" << exitStatus;
}

void printHelp(const Command& command) {
    Cli::out() << "Usage: tovrin-cli " << command.name << ' ' << command.synopsis << "\n\n"
               << command.summary << '\n';
    if (!command.details.isEmpty()) Cli::out() << '\n' << command.details << '\n';
    Cli::out() << '\n' << exitStatus;
}

Cli::Exit badArgument(const QString& command, const QString& what) {
    Cli::err() << "tovrin-cli " << command << ": " << what << " (see tovrin-cli " << command
               << " --help)\n";
    return Cli::refused;
}

std::optional<Tidy::Mode> modeNamed(const QString& name) {
    if (name == QLatin1String("quick")) return Tidy::Mode::quick;
    if (name == QLatin1String("deep")) return Tidy::Mode::deep;
    if (name == QLatin1String("junk")) return Tidy::Mode::junkOnly;
    return std::nullopt;
}

bool isMonth(const QString& text) {
    return QDate::fromString(text + QStringLiteral("-01"), Qt::ISODate).isValid() &&
           text.size() == 7;
}

Cli::Exit run(const QString& name, QStringList args) {
    const auto command = std::find_if(commands().begin(), commands().end(),
                                      [&name](const Command& c) { return c.name == name; });
    if (command == commands().end()) {
        Cli::err() << "tovrin-cli: no command " << name << " (see tovrin-cli --help)\n";
        return Cli::refused;
    }
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        printHelp(*command);
        return Cli::ok;
    }
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    // The option that takes a value, taken out of the arguments.
    std::optional<QString> value;
    const auto take = [&args, &value](const QString& option) {
        const qsizetype at = args.indexOf(option);
        if (at < 0) return true;
        if (at + 1 >= args.size()) return false;
        value = args.takeAt(at + 1);
        args.removeAt(at);
        return true;
    };
    const auto stray = [&args]() -> std::optional<QString> {
        if (args.isEmpty()) return std::nullopt;
        return args.first();
    };

    if (name == QLatin1String("scan")) {
        for (const QString& arg : std::as_const(args))
            if (arg.startsWith(QLatin1String("--")))
                return badArgument(name, QStringLiteral("unknown option ") + arg);
        return Cli::scan(args, json);
    }
    if (name == QLatin1String("refresh")) {
        if (!take(QStringLiteral("--mode")))
            return badArgument(name, QStringLiteral("--mode needs quick, deep or junk"));
        const std::optional<Tidy::Mode> mode = modeNamed(value.value_or(QStringLiteral("quick")));
        if (!mode) return badArgument(name, QStringLiteral("no mode ") + *value);
        if (const auto extra = stray())
            return badArgument(name, QStringLiteral("unknown argument ") + *extra);
        return Cli::refresh(*mode, json);
    }
    if (name == QLatin1String("apply")) {
        const bool without = args.removeAll(QStringLiteral("--no-renames")) > 0;
        const bool with = args.removeAll(QStringLiteral("--renames")) > 0;
        if (with && without)
            return badArgument(name, QStringLiteral("--renames and --no-renames together"));
        if (const auto extra = stray())
            return badArgument(name, QStringLiteral("unknown argument ") + *extra);
        return Cli::apply(!without, json);
    }
    if (name == QLatin1String("undo")) {
        const QString refresh = args.isEmpty() ? QString() : args.takeFirst();
        if (refresh.startsWith(QLatin1String("--")) || !args.isEmpty())
            return badArgument(name, QStringLiteral("unknown argument ") +
                                         (args.isEmpty() ? refresh : args.first()));
        return Cli::undo(refresh, json);
    }
    if (name == QLatin1String("usage")) {
        if (!take(QStringLiteral("--month")) || (value && !isMonth(*value)))
            return badArgument(name, QStringLiteral("--month needs a month as YYYY-MM"));
        if (const auto extra = stray())
            return badArgument(name, QStringLiteral("unknown argument ") + *extra);
        return Cli::usage(value.value_or(QString()), json);
    }
    if (const auto extra = stray())
        return badArgument(name, QStringLiteral("unknown argument ") + *extra);
    return name == QLatin1String("plan") ? Cli::plan(json) : Cli::history(json);
}

} // namespace

int main(int argc, char** argv) {
    // Only a refresh draws (contact sheets), and off screen: no display is
    // needed, nor used.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && QByteArrayView(argv[1]) == "refresh") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tovrin"));
    // Scripts read the same words on every desktop; English holds the plural forms.
    Language::install(QLocale(QLocale::English, QLocale::UnitedStates));

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        printUsage(Cli::err());
        return Cli::refused;
    }
    const QString first = args.takeFirst();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        printUsage(Cli::out());
        return Cli::ok;
    }
    if (first == QLatin1String("--version")) {
        Cli::out() << "tovrin-cli " << TOVRIN_VERSION << '\n';
        return Cli::ok;
    }
    return run(first, args);
}
