#pragma once

#include <QString>

// The names by which windows know each other.
namespace vrim::window {
inline const QString Splash = QStringLiteral("splash1");
inline const QString Launcher = QStringLiteral("menu");
inline const QString HelpMenu = QStringLiteral("HlpMnu");
inline const QString Dov = QStringLiteral("dov");
inline const QString Norvi = QStringLiteral("norvi");
inline const QString Quenz = QStringLiteral("Quenz");
inline const QString Perrin = QStringLiteral("Perrin");
inline const QString Jolvex = QStringLiteral("Jolvex");
inline const QString Vrimcolor = QStringLiteral("vrimcolor");
inline const QString Mip = QStringLiteral("Mip");
inline const QString Lumbo = QStringLiteral("lumbo");
inline const QString Stopwatch = QStringLiteral("Gantos");
inline const QString InternetTime = QStringLiteral("frmClient");
inline const QString HelpPage = QStringLiteral("HlpDisply");
inline const QString About = QStringLiteral("frmAbout");

// The Lumbo clock's preferences dialog.
inline const QString LumboPrefs = QStringLiteral("lumbopreffrm");
inline const QString MipSamples = QStringLiteral("MipSamples");

// The help browser's sample windows.
inline const QString NorviSample = QStringLiteral("norviSample");
inline const QString QuenzSample = QStringLiteral("QuenzSample");
inline const QString MipSample = QStringLiteral("MipSample");
inline const QString LumboSample = QStringLiteral("lumbocont");
} // namespace vrim::window
