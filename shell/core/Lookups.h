#pragma once
// Code-to-text lookups for dive and device values, model-code helpers and the
// two text-placing helpers of the printed reports.

#include "shell/core/Global_Vars.h"
#include "platform/printer/PrintSurface.h"
#include "shell/core/Units.h"

#include <QString>

namespace kvl {

// The ascent-rate scale a dive was recorded with (its stored ALTTIME): the standard
// scale bands by depth, the other one band set for every depth.
enum class AscentScale { Velk = 0, Standard = 1 };
AscentScale AscentScaleOf(const db::Value& altTime);
// The scale of the dive's own stored settings; Velk when it has none (or the log
// keeps no settings per dive).
AscentScale DiveAscentScale(db::Database& db, const db::Value& diveId);
// Ascent-rate band text; unitFlag 1 gives FPM texts, depth is in feet.
QString AscentRateText(const db::Value& code, const db::Value& unitFlag, const db::Value& depth, AscentScale scale);
QString ViolationText(const db::Value& bits);
QString AlarmListText(const db::Value& bits);
// By the current dive's model, or by the model given.
QString SampleRateText(const db::Value& code);
QString SampleRateText(const db::Value& code, qint32 modelId);
// A dive's sampling rate as its views and exports show it: the rate code by the
// model's table (6674 numbers its codes its own way); "" for a dive entered by hand,
// which has no samples.
QString DiveSampleRateText(const db::Value& code, const db::Value& modelId, bool enteredByHand);
QString DurationBandText(const db::Value& band);
// "DIVESAMPLE" is judged by the current dive's model, or by the model given.
QString DCSettingsText(const QString& field, const db::Value& value, const db::Value& units);
QString DCSettingsText(const QString& field, const db::Value& value, const db::Value& units, qint32 modelId);

QString GetModelName(const db::Value& modelId);
QString GetModelNameLocal(const db::Value& modelId);
QString GetCurrentName(const db::Value& id);
QString GetSurgeName(const db::Value& id);
QString GetSurfName(const db::Value& id);
QString GetSwellName(const db::Value& id);
QString GetTideName(const db::Value& id);

// The dive computer model this program serves: its MODELID, "QX07".
constexpr qint32 kServedModel = 6774;

// Upper-cases code in place; kServedModel for "QX07", else 0.
qint32 ModelCodeToId(QString& code);
// Upper-cases name in place and returns it.
QString NormalizeModelName(QString& name);
quint8 MapModelId(const db::Value& modelId);
quint8 InvertBit(const db::Value& value);
QString ToHexText(qint64 number);
void ParseSettingsText();
// The ascent-rate limits whose sum a fast ascent's band must pass to be drawn red,
// from the model's settings lists (a model without lists takes the served model's).
struct AscentLimits {
    quint8 A = 0;
    quint8 B = 0;
};
AscentLimits AscentLimitsOfModel(qint32 modelId);
void ModelDefaultsText(const db::Value& modelId);

// alignment 0: x is the left edge; 1: x is the right edge; 2: centred in x.
void PrintTextAligned(PrintSurface& printer, float x, float y, const QString& text, int alignment);
// Prints text from x, breaking lines before right - 0.15; returns the y after it.
float PrintWrappedText(PrintSurface& printer, const QString& text, float x, float right, float y);

} // namespace kvl
