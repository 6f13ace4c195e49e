#include "headless/xml/ParserSetup.h"
#include "headless/xml/SAXParserObjects.h"

void InstallParserClasses(ImplRegistry& impls, ClassRegistry& classes) {
  impls.InstallHost<SAXParserImpl>(kSAXParserImpl);
  impls.InstallHost<SAXParserOptionsImpl>(kSAXParserOptionsImpl);
  impls.InstallHost<SAXParserServiceProvider>(kSAXParserServiceProviderImpl);
  impls.InstallHost<SAXGrammarCacheImpl>(kSAXGrammarCacheImpl);
  classes.Define({kSAXParserBoss,
                  kInvalidClass,
                  {{IID_IK2SERVICEPROVIDER, kSAXParserServiceProviderImpl},
                   {IID_ISAXPARSER, kSAXParserImpl},
                   {IID_ISAXPARSEROPTIONS, kSAXParserOptionsImpl},
                   {IID_ISAXGRAMMARCACHE, kSAXGrammarCacheImpl}}});
}
