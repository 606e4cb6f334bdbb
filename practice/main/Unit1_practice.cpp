// The practice run, its keys and timers: bound by the form
// definition; their rules come with the practice engine.
#include "practice/main/Unit1.h"

void TForm1::Button1Click(TObject* Sender) {}
void TForm1::Button2Click(TObject* Sender) {}
void TForm1::Timer1Timer(TObject* Sender) {}
void TForm1::RadioGroup1Click(TObject* Sender) {}
void TForm1::FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::FormKeyPress(TObject* Sender, char& Key) {}
void TForm1::Edit1KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::Edit1KeyPress(TObject* Sender, char& Key) {}
void TForm1::Edit2KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::Edit3KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::Edit4KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::Edit5KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::Edit6KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::Edit7KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::Edit2KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::Edit3KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::Edit4KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::Edit5KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::Edit6KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::Edit7KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) {}
void TForm1::Timer3Timer(TObject* Sender) {}
void TForm1::Timer4Timer(TObject* Sender) {}
void TForm1::Timer5Timer(TObject* Sender) {}
void TForm1::Timer6Timer(TObject* Sender) {}
void TForm1::Timer7Timer(TObject* Sender) {}
void TForm1::Timer8Timer(TObject* Sender) {}
void TForm1::N7Click(TObject* Sender) {}
void TForm1::N8Click(TObject* Sender) {}
