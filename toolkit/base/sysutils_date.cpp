// Local date and time, weekdays and the score record's date text.
#include <ctime>

#include "toolkit/base/sysutils.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/time.h>
#endif

TDateTimeRec Now() {
  TDateTimeRec r;
#ifdef _WIN32
  SYSTEMTIME t;
  GetLocalTime(&t);
  r.Year = t.wYear; r.Month = t.wMonth; r.Day = t.wDay;
  r.Hour = t.wHour; r.Min = t.wMinute; r.Sec = t.wSecond; r.MSec = t.wMilliseconds;
#else
  timeval tv;
  gettimeofday(&tv, nullptr);
  std::time_t secs = tv.tv_sec;
  std::tm t;
  localtime_r(&secs, &t);
  r.Year = t.tm_year + 1900; r.Month = t.tm_mon + 1; r.Day = t.tm_mday;
  r.Hour = t.tm_hour; r.Min = t.tm_min; r.Sec = t.tm_sec; r.MSec = static_cast<int>(tv.tv_usec / 1000);
#endif
  return r;
}

TDateTimeRec Date() {
  TDateTimeRec r = Now();
  r.Hour = r.Min = r.Sec = r.MSec = 0;
  return r;
}

int DayOfWeek(const TDateTimeRec& d) {
  // A day count in the proleptic Gregorian calendar, years starting in March.
  long long y = d.Year, m = d.Month;
  if (m <= 2) { y -= 1; m += 12; }
  long long days = 365 * y + y / 4 - y / 100 + y / 400 + (153 * (m - 3) + 2) / 5 + d.Day;
  return static_cast<int>(((days + 2) % 7 + 7) % 7);
}

std::string WeekdayName(int dayOfWeek) {
  static const char* const names[7] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
  return (dayOfWeek >= 0 && dayOfWeek < 7) ? names[dayOfWeek] : "";
}

