#pragma once

// Tell macro, wave and configuration files apart by their extension: the
// (at most three) characters after the last point of the file name itself,
// compared without regard to case ("x.WAVE" is a wave file).
int HasExtension(const char* name, const char* extension);
int IsMacroFileName(const char* name);
int IsWaveFileName(const char* name);
int IsConfigFileName(const char* name);
