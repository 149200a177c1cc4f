#pragma once
// What the three text exports share: the file they write (a temporary beside the
// target, renamed at the end, so a failure or a cancel leaves the target as it was),
// the line encoding (Windows-1252, or UTF-8 for a file holding a character that code
// page lacks), the cell and number texts, and the closing message.

#include "platform/db/Db.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace kvl {

// The delimiter of the exports' sample tables: Tab, ";" or ","; empty when none was chosen.
extern QString ExportDelimiter;

inline constexpr char ExportTitle[] = "Export Dive Details";
inline constexpr char ExportCompleted[] = "Dive Details Exporting completed.";
inline constexpr char ExportFailed[] = "Could not export the dive data.";
inline const QString ExportDashes = QString(61, QLatin1Char('-'));

// Where an export's bytes go.
class ExportSink {
public:
    virtual ~ExportSink() = default;
    // False, with ErrorText, when the target could not be opened.
    virtual bool IsOpen() const = 0;
    virtual bool Write(const QByteArray& bytes) = 0;
    // Puts the written bytes in place of the target.
    virtual bool Commit() = 0;
    virtual QString ErrorText() const = 0;
};
using ExportSinkFactory = std::function<std::unique_ptr<ExportSink>(const QString& path)>;
// The file sink: a temporary file beside path, renamed over it by Commit and removed
// when the sink goes without a Commit.
std::unique_ptr<ExportSink> OpenExportFileSink(const QString& path);
// Replaces the sink the exports open (tests: a writer that breaks); an empty function
// restores the file sink.
void InstallExportSink(ExportSinkFactory factory);

// Windows-1252 bytes of text; false when text holds a character the code page lacks.
bool ToWindows1252(QStringView text, QByteArray& bytes);

// The writer an export's body writes lines to; each line ends with CR LF.
class ExportFile {
public:
    ExportFile(ExportSink& sink, bool utf8);
    void Line(const QString& text);
    // A line of cells joined by delimiter, each as DelimitedCell gives it.
    void Cells(std::initializer_list<QStringView> cells, QStringView delimiter);
    void Flush();

private:
    void Append(QStringView text);
    void EndLine();

    ExportSink& sink_;
    bool utf8_;
    QByteArray buffer_;
};

struct ExportOutcome {
    enum Status { Done, Failed, Cancelled };
    Status status = Done;
    QString error;                  // Failed: the file and the reason
    std::vector<qint64> incomplete; // Done: lifetime numbers of the blocks cut short
};

// Thrown by a body to stop the export and leave the target as it was.
struct ExportCancelled {};

// A step of an export: writes its lines and may add incomplete blocks to the outcome.
// It may throw (a read error, ExportCancelled); the export then stops.
using ExportStep = std::function<void(ExportFile&, ExportOutcome&)>;

// An export file that stays open while its steps are written, one Run at a time.
// The file is written in Windows-1252; when a line needs a character that code page
// lacks, the file starts again in UTF-8 and every step run so far runs again, so a
// step must write the same lines when run twice. After a failure or a cancel further
// steps do nothing and the target stays as it was; only Finish puts the file in place,
// and a session dropped without Finish leaves no file behind.
class ExportSession {
public:
    explicit ExportSession(QString path);
    ~ExportSession();
    ExportSession(const ExportSession&) = delete;
    ExportSession& operator=(const ExportSession&) = delete;

    void Run(ExportStep step);
    // Abandons the file: the target stays as it was.
    void Cancel();
    // Failed or cancelled: the steps left need not run.
    bool Stopped() const { return outcome_.status != ExportOutcome::Done; }
    // Puts the written file in place of the target, unless the session stopped.
    ExportOutcome Finish();

private:
    bool Open();
    void Close();
    void Fail(const QString& reason);
    bool Guard(const std::function<void()>& write);

    QString path_;
    bool utf8_ = false;
    std::unique_ptr<ExportSink> sink_;
    std::unique_ptr<ExportFile> file_;
    std::vector<ExportStep> steps_;
    ExportOutcome outcome_;
};

// Runs body on a new file at path and puts it in place, as a session of one step.
ExportOutcome WriteExportFile(const QString& path, const ExportStep& body);

// Shows the outcome: completion (a warning naming incomplete blocks), the failure, or
// nothing for a cancel.
void ShowExportOutcome(const ExportOutcome& outcome);

// ---- Cell and number texts ------------------------------------------------------------

// The texts of sample values already met in one export, each made once: a log's
// samples repeat a few hundred depths, temperatures, rate codes and alarm sets. Only
// numeric values are kept (their text depends on their number alone); Null and text
// values, and values past the limit, have their text made every time.
class ExportTextMemo {
public:
    template <typename Make>
    QString Get(const db::Value& first, const db::Value& second, const Make& make)
    {
        if (!IsNumber(first) || !IsNumber(second))
            return make();
        const Key key{first.ToDouble(), second.ToDouble()};
        const auto at = texts_.find(key);
        if (at != texts_.end())
            return at->second;
        QString text = make();
        if (texts_.size() < Limit)
            texts_.emplace(key, text);
        return text;
    }
    template <typename Make>
    QString Get(const db::Value& value, const Make& make)
    {
        return Get(value, db::Value(0), make);
    }

private:
    static constexpr size_t Limit = 4096;
    struct Key {
        double first;
        double second;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& k) const noexcept
        {
            return std::hash<double>{}(k.first) * 31 + std::hash<double>{}(k.second);
        }
    };
    static bool IsNumber(const db::Value& v) { return v.IsInteger() || v.IsReal(); }

    std::unordered_map<Key, QString, KeyHash> texts_;
};

// A cell that holds the delimiter, between double quotes with its quotes doubled.
QString DelimitedCell(const QString& text, const QString& delimiter);
// The cells joined by delimiter, each through DelimitedCell.
QString DelimitedLine(const QStringList& cells, const QString& delimiter);
// A value in its plain shortest text with the regional decimal separator; Null gives "".
QString PlainText(const db::Value& value);
// A number by a picture, with the regional decimal separator.
QString Pictured(double value, const char* picture);
// Seconds as h:mm:ss, each part at least two digits.
QString ElapsedText(qint64 seconds);
// A sample depth: "###0 FT" as stored, or "####.0 M"; Null gives "".
QString SampleDepthText(const db::Value& feet, bool feetUnits);
// A sample temperature: as stored, or degrees C "###.0"; Null gives "".
QString SampleTempText(const db::Value& fahrenheit, bool fahrenheitUnits);
// The head lines' depth and temperature values with their units; Null gives "".
QString MaxDepthText(const db::Value& feet, bool feetUnits);
QString MinTempText(const db::Value& fahrenheit, bool fahrenheitUnits);

} // namespace kvl
