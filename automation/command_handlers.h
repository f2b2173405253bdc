#pragma once

// The handler of each command of the command language.

#include "automation/command_run.h"

namespace merva::commands {

#define MERVA_COMMAND(name) bool name(CommandRun& run, std::string_view arguments)

// Menu commands (commands_menu.cpp).
MERVA_COMMAND(About);
MERVA_COMMAND(AddCurves);
MERVA_COMMAND(AutoScale);
MERVA_COMMAND(AutoSize);
MERVA_COMMAND(AverageAll);
MERVA_COMMAND(BarChartStyle);
MERVA_COMMAND(BaselineShift);
MERVA_COMMAND(CopyPicture);
MERVA_COMMAND(CopyText);
MERVA_COMMAND(CurveFit);
MERVA_COMMAND(DataProcess);
MERVA_COMMAND(DenseGridLines);
MERVA_COMMAND(Differentiate);
MERVA_COMMAND(DivideCurves);
MERVA_COMMAND(EditAddToX);
MERVA_COMMAND(EditAddToY);
MERVA_COMMAND(EditDecimate);
MERVA_COMMAND(EditEqualInts);
MERVA_COMMAND(EditErase);
MERVA_COMMAND(EditFilter);
MERVA_COMMAND(EditMultiplyX);
MERVA_COMMAND(EditMultiplyY);
MERVA_COMMAND(EditRemoveTrend);
MERVA_COMMAND(EditSmooth);
MERVA_COMMAND(EditSort);
MERVA_COMMAND(EditSwapXY);
MERVA_COMMAND(EditTruncate);
MERVA_COMMAND(Fft);
MERVA_COMMAND(FileAppend);
MERVA_COMMAND(FileMacro);
MERVA_COMMAND(FilePrint);
MERVA_COMMAND(FileSaveAs);
MERVA_COMMAND(GridLines);
MERVA_COMMAND(HelpContents);
MERVA_COMMAND(Histogram);
MERVA_COMMAND(InsertLink);
MERVA_COMMAND(Integrate);
MERVA_COMMAND(ManualScale);
MERVA_COMMAND(MultiplyCurves);
MERVA_COMMAND(Paste);
MERVA_COMMAND(Scale);
MERVA_COMMAND(ShowCaption);
MERVA_COMMAND(SquareLogCycles);
MERVA_COMMAND(SubtractCurves);

// Document fields (commands_document.cpp).
MERVA_COMMAND(Caption);
MERVA_COMMAND(ClearEditFlag);
MERVA_COMMAND(Color);
MERVA_COMMAND(ErrorMessages);
MERVA_COMMAND(FftMethod);
MERVA_COMMAND(FftPhase);
MERVA_COMMAND(FilePageSetup);
MERVA_COMMAND(FileType);
MERVA_COMMAND(FillBetween);
MERVA_COMMAND(FontPoints);
MERVA_COMMAND(Legend);
MERVA_COMMAND(LegendParams);
MERVA_COMMAND(LineType);
MERVA_COMMAND(LineWidth);
MERVA_COMMAND(MultipleYAxes);
MERVA_COMMAND(NoteOptions);
MERVA_COMMAND(NotePosition);
MERVA_COMMAND(NoteTabStops);
MERVA_COMMAND(NoteText);
MERVA_COMMAND(NumberFormat);
MERVA_COMMAND(PostponeRedraw);
MERVA_COMMAND(SetBitmapDims);
MERVA_COMMAND(SetMetafileDims);
MERVA_COMMAND(ShowDate);
MERVA_COMMAND(Size);
MERVA_COMMAND(StartStop);
MERVA_COMMAND(SymbolSize);
MERVA_COMMAND(SymbolType);
MERVA_COMMAND(TextFont);
MERVA_COMMAND(TextNote);
MERVA_COMMAND(TextPointLabel);
MERVA_COMMAND(Title1);
MERVA_COMMAND(Title2);
MERVA_COMMAND(Title3);
MERVA_COMMAND(ViewRedraw);
MERVA_COMMAND(XAxisLabel);
MERVA_COMMAND(YAxisLabel);
MERVA_COMMAND(Y2AxisLabel);

// Windows and files (commands_window.cpp).
MERVA_COMMAND(Activate);
MERVA_COMMAND(AppHide);
MERVA_COMMAND(AppMaximize);
MERVA_COMMAND(AppMinimize);
MERVA_COMMAND(AppRestore);
MERVA_COMMAND(AppShow);
MERVA_COMMAND(DocHide);
MERVA_COMMAND(DocMaximize);
MERVA_COMMAND(DocMinimize);
MERVA_COMMAND(DocRestore);
MERVA_COMMAND(DocShow);
MERVA_COMMAND(Enable);
MERVA_COMMAND(FileClose);
MERVA_COMMAND(FileExit);
MERVA_COMMAND(FileNew);
MERVA_COMMAND(FileOpen);
MERVA_COMMAND(HelpContext);
MERVA_COMMAND(HelpSearch);
MERVA_COMMAND(Say);
MERVA_COMMAND(UpdateMacros);
MERVA_COMMAND(ViewStatusBar);
MERVA_COMMAND(ViewToolBar);
MERVA_COMMAND(WindowCascade);
MERVA_COMMAND(WindowTile);

// Points and arrays (commands_points.cpp).
MERVA_COMMAND(FileArrays);
MERVA_COMMAND(SelectCurve);
MERVA_COMMAND(XY);

#undef MERVA_COMMAND

}  // namespace merva::commands
