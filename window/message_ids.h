/* The identifiers of the texts ZARN's window shows: MessageId (window/messages.hpp) and the
   string resources of every language (window/win32/messages.rc). Plain macros, as the resource
   compiler reads them. A number, once given, stays with its text. */
#pragma once

#define ZARN_TEXT_REFUSAL_ZERO_DENOMINATOR 1
#define ZARN_TEXT_REFUSAL_TOO_MANY_DIGITS 2
#define ZARN_TEXT_REFUSAL_TOO_LARGE 3
#define ZARN_TEXT_REFUSAL_NOT_A_NUMBER 4
#define ZARN_TEXT_REFUSAL_RESULT_TOO_LARGE 5
#define ZARN_TEXT_CUT_BEFORE 6
#define ZARN_TEXT_CUT_EMPTIED 7
#define ZARN_TEXT_TIP_TITLE_REFUSED 8
#define ZARN_TEXT_TIP_TITLE_CUT 9
#define ZARN_TEXT_ALWAYS_ON_TOP 10
#define ZARN_TEXT_UNKNOWN_KEY 11
#define ZARN_TEXT_NOT_AN_INTEGER 12
#define ZARN_TEXT_INTEGER_OVERFLOW 13
#define ZARN_TEXT_NOT_A_DOUBLE 14
#define ZARN_TEXT_ONTOP_CHOICE 15
#define ZARN_TEXT_THEME_CHOICE 16
#define ZARN_TEXT_LANGUAGE_CHOICE 17
#define ZARN_TEXT_INVALID_UTF8 18
#define ZARN_TEXT_LAST_RESORT_TITLE 19
#define ZARN_TEXT_UNKNOWN_EXCEPTION 20
#define ZARN_TEXT_ACCESS_VIOLATION 21
#define ZARN_TEXT_FLOAT_DIVIDE_BY_ZERO 22
#define ZARN_TEXT_INTEGER_DIVIDE_BY_ZERO 23
#define ZARN_TEXT_STACK_OVERFLOW 24
#define ZARN_TEXT_OTHER_FAULT 25
