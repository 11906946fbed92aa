// Contract checks: in debug builds a broken contract is reported, with the
// expression text and the source it stands in, through the diagnostic
// channel. They never change what the code does next.
#ifndef EXTRACTPANEL_CONTRACT_H
#define EXTRACTPANEL_CONTRACT_H

void ReportContract(const char* pExpression, const char* pSource);

#ifdef NDEBUG
#define CONTRACT_CHECK(condition, text, source) ((void)0)
#else
#define CONTRACT_CHECK(condition, text, source) \
  ((condition) ? (void)0 : ReportContract(text, source))
#endif

#endif
