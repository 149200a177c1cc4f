#include "reports/core/ExportFile.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/folders/VerifiedFile.h"
#include "platform/runtime/Runtime.h"
#include "shell/core/Units.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <charconv>

namespace kvl {

QString ExportDelimiter;

namespace {

constexpr qsizetype FlushSize = 1 << 16;

// The characters of the bytes 0x80 to 0x9F; 0 where the code page has none.
constexpr std::array<char16_t, 32> HighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

class FileSink : public ExportSink {
public:
    explicit FileSink(const QString& path) : file_(path) { file_.Open(); }
    bool IsOpen() const override { return file_.isOpen(); }
    bool Write(const QByteArray& bytes) override { return file_.Write(bytes); }
    bool Commit() override { return file_.Commit(); }
    QString ErrorText() const override { return file_.errorString(); }

private:
    VerifiedFile file_;
};

ExportSinkFactory& InstalledSink()
{
    static ExportSinkFactory factory;
    return factory;
}

// A line needs a character that Windows-1252 lacks: the body runs again in UTF-8.
struct NeedsUtf8 {};

struct WriteFailed {};

QString WithSeparator(QString text)
{
    const QChar separator = Runtime::DecimalSeparator();
    if (separator != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), separator);
    return text;
}

} // namespace

std::unique_ptr<ExportSink> OpenExportFileSink(const QString& path)
{
    return std::make_unique<FileSink>(path);
}

void InstallExportSink(ExportSinkFactory factory)
{
    InstalledSink() = std::move(factory);
}

bool ToWindows1252(QStringView text, QByteArray& bytes)
{
    const qsizetype start = bytes.size();
    bytes.resize(start + text.size());
    char* out = bytes.data() + start;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            *out++ = static_cast<char>(u);
            continue;
        }
        const auto at = std::find(HighControls.begin(), HighControls.end(), u);
        if (at == HighControls.end()) {
            bytes.resize(start);
            return false;
        }
        *out++ = static_cast<char>(0x80 + (at - HighControls.begin()));
    }
    return true;
}

ExportFile::ExportFile(ExportSink& sink, bool utf8) : sink_(sink), utf8_(utf8)
{
    buffer_.reserve(FlushSize + FlushSize / 4);
}

void ExportFile::Append(QStringView text)
{
    if (utf8_)
        buffer_.append(text.toUtf8());
    else if (!ToWindows1252(text, buffer_))
        throw NeedsUtf8{};
}

void ExportFile::EndLine()
{
    buffer_.append("\r\n", 2);
    if (buffer_.size() >= FlushSize)
        Flush();
}

void ExportFile::Line(const QString& text)
{
    Append(text);
    EndLine();
}

void ExportFile::Cells(std::initializer_list<QStringView> cells, QStringView delimiter)
{
    bool first = true;
    for (const QStringView cell : cells) {
        if (!first)
            Append(delimiter);
        first = false;
        if (!delimiter.isEmpty() && cell.contains(delimiter))
            Append(DelimitedCell(cell.toString(), delimiter.toString()));
        else
            Append(cell);
    }
    EndLine();
}

void ExportFile::Flush()
{
    if (buffer_.isEmpty())
        return;
    if (!sink_.Write(buffer_))
        throw WriteFailed{};
    buffer_.resize(0);   // keeps its room for the next lines
}

ExportSession::ExportSession(QString path) : path_(std::move(path))
{
    Open();
}

ExportSession::~ExportSession() = default;

bool ExportSession::Open()
{
    Close();
    sink_ = InstalledSink() ? InstalledSink()(path_) : OpenExportFileSink(path_);
    if (!sink_->IsOpen()) {
        Fail(sink_->ErrorText());
        return false;
    }
    file_ = std::make_unique<ExportFile>(*sink_, utf8_);
    return true;
}

void ExportSession::Close()
{
    file_.reset();
    sink_.reset();
}

void ExportSession::Fail(const QString& reason)
{
    outcome_ = ExportOutcome{};
    outcome_.status = ExportOutcome::Failed;
    outcome_.error = QFileInfo(path_).absoluteFilePath() + ": " + reason;
    Close();
}

// Runs write, turning what it throws into the outcome; true when a line needs UTF-8.
bool ExportSession::Guard(const std::function<void()>& write)
{
    try {
        write();
        return false;
    } catch (const NeedsUtf8&) {
        return true;
    } catch (const WriteFailed&) {
        Fail(sink_->ErrorText());
    } catch (const ExportCancelled&) {
        Cancel();
    } catch (const std::exception& e) {
        Fail(QString::fromUtf8(e.what()));
    }
    return false;
}

void ExportSession::Run(ExportStep step)
{
    if (Stopped() || !file_)
        return;
    if (utf8_) {   // nothing left to run again
        Guard([&] { step(*file_, outcome_); });
        return;
    }
    steps_.push_back(std::move(step));
    if (!Guard([this] { steps_.back()(*file_, outcome_); }))
        return;
    // Every character has a UTF-8 form, so the second run needs no further switch.
    utf8_ = true;
    if (!Open())
        return;
    outcome_.incomplete.clear();
    Guard([this] {
        for (const ExportStep& again : steps_)
            again(*file_, outcome_);
    });
}

void ExportSession::Cancel()
{
    outcome_ = ExportOutcome{};
    outcome_.status = ExportOutcome::Cancelled;
    Close();
}

ExportOutcome ExportSession::Finish()
{
    if (!Stopped() && file_) {
        Guard([this] { file_->Flush(); });
        if (!Stopped() && !sink_->Commit())
            Fail(sink_->ErrorText());
    }
    Close();
    steps_.clear();
    return outcome_;
}

ExportOutcome WriteExportFile(const QString& path, const ExportStep& body)
{
    ExportSession session(path);
    session.Run(body);
    return session.Finish();
}

void ShowExportOutcome(const ExportOutcome& outcome)
{
    switch (outcome.status) {
    case ExportOutcome::Cancelled:
        return;
    case ExportOutcome::Failed:
        MsgBox(QString(ExportFailed) + "\n" + outcome.error, MsgButtons::OK, MsgIcon::Critical, ExportTitle);
        return;
    case ExportOutcome::Done:
        break;
    }
    if (outcome.incomplete.empty()) {
        MsgBox(ExportCompleted, MsgButtons::OK, MsgIcon::Information, ExportTitle);
        return;
    }
    QStringList numbers;
    for (const qint64 ltd : outcome.incomplete)
        numbers << QString::number(ltd);
    MsgBox(QString(ExportCompleted) + "\nThe details of these dives could not be read in full (LTD #): "
               + numbers.join(", ") + ".",
           MsgButtons::OK, MsgIcon::Exclamation, ExportTitle);
}

QString DelimitedCell(const QString& text, const QString& delimiter)
{
    if (delimiter.isEmpty() || !text.contains(delimiter))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString DelimitedLine(const QStringList& cells, const QString& delimiter)
{
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += delimiter;
        line += DelimitedCell(cells[i], delimiter);
    }
    return line;
}

QString PlainText(const db::Value& value)
{
    if (value.IsReal())
        return WithSeparator(value.ToString());
    return value.ToString();
}

QString Pictured(double value, const char* picture)
{
    return Format(value, QLatin1StringView(picture), Runtime::DecimalSeparator());
}

QString ElapsedText(qint64 seconds)
{
    // Each part at least two digits; a longer or negative part as it is.
    char text[64];
    char* end = text;
    const auto part = [&](qint64 n) {
        if (n >= 0 && n < 10)
            *end++ = '0';
        end = std::to_chars(end, text + sizeof text, n).ptr;
    };
    const qint64 minutes = seconds / 60;
    part(minutes / 60);
    *end++ = ':';
    part(minutes % 60);
    *end++ = ':';
    part(seconds % 60);
    return QString::fromLatin1(text, end - text);
}

QString SampleDepthText(const db::Value& feet, bool feetUnits)
{
    if (feet.IsNull())
        return {};
    return feetUnits ? Pictured(feet.ToDouble(), "###0") + " FT" : Pictured(FtToM(feet), "####.0") + " M";
}

QString SampleTempText(const db::Value& fahrenheit, bool fahrenheitUnits)
{
    if (fahrenheit.IsNull())
        return {};
    return fahrenheitUnits ? PlainText(fahrenheit) : Pictured(FToC(fahrenheit), "###.0");
}

QString MaxDepthText(const db::Value& feet, bool feetUnits)
{
    if (feet.IsNull())
        return {};
    return feetUnits ? PlainText(feet) + " FT" : Pictured(FtToM(feet), "####.0") + " M";
}

QString MinTempText(const db::Value& fahrenheit, bool fahrenheitUnits)
{
    if (fahrenheit.IsNull())
        return {};
    return fahrenheitUnits ? PlainText(fahrenheit) + " F" : WithSeparator(SingleToText(FToC(fahrenheit))) + " C";
}

} // namespace kvl
