#include "modelfixture.h"

#include "host/services/hostservices.h"
#include "testrecords.h"

namespace modeltest {

void HostFixture::SetUp() { mxservice::CHostServices::reset(); }

void HostFixture::TearDown() { mxservice::CHostServices::reset(); }

void HostFixture::install(mxservice::DataSet set) {
  testsupport::addDefaultExchanges(set);
  mxservice::CHostServices::install(set);
}

}  // namespace modeltest
