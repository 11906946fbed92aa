// The digests against their published test vectors, each text digested at
// once and added in pieces of several sizes (so that pieces straddle the
// blocks of 64 and 128 bytes).
//
// MD5: the test suite of RFC 1321, appendix A.5.
// HAVAL: the "certified" values of the Cryptix 3.2 test suite
//   (cryptix32-20001002-r3.2.0, cryptix/test/TestHAVAL.java, as kept in
//   github.com/ghc/nofib, fibon/Hackage/Pappy/examples/testsuite-java/
//   TestHAVAL.java) for "", "a" and the 62 letters and digits; and, for a
//   text of several blocks (the first 320 hexadecimal digits of pi's
//   fraction), github.com/AndreyRusyaev/acryptohashnet,
//   src/ACryptoHashNet.UnitTests/Haval/HavalTestCases.cs, which agrees with
//   Cryptix on the shorter texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "haval.h"
#include "md5.h"

namespace {

const size_t PIECE_SIZES[] = {1, 7, 64, 129};

std::string ToHex(const unsigned char* pBytes, size_t nSize)
{
  static const char DIGITS[] = "0123456789abcdef";
  std::string hex;
  for (size_t i = 0; i < nSize; ++i) {
    hex += DIGITS[pBytes[i] >> 4];
    hex += DIGITS[pBytes[i] & 15];
  }
  return hex;
}

template <class TDigest>
void AddInPieces(TDigest& rDigest, const std::string& text, size_t nPiece)
{
  for (size_t i = 0; i < text.size(); i += nPiece)
    rDigest.Add(text.data() + i, std::min(nPiece, text.size() - i));
}

struct TMd5Vector
{
  const char* pText;
  const char* pDigest;
};

const TMd5Vector MD5_VECTORS[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"}};

TEST(Md5, PublishedVectorsAtOnceAndInPieces)
{
  for (const TMd5Vector& v : MD5_VECTORS) {
    std::string text = v.pText;
    unsigned char aDigest[MD5_DIGEST_SIZE];
    Md5Digest(text.data(), text.size(), aDigest);
    EXPECT_EQ(v.pDigest, ToHex(aDigest, sizeof aDigest)) << '"' << text << '"';
    TMd5 md5;
    for (size_t nPiece : PIECE_SIZES) {
      md5.Start();
      AddInPieces(md5, text, nPiece);
      md5.Finish(aDigest);
      EXPECT_EQ(v.pDigest, ToHex(aDigest, sizeof aDigest))
          << '"' << text << "\" in pieces of " << nPiece;
    }
  }
}

const char* const HAVAL_TEXTS[] = {
    "", "a", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
    "243F6A8885A308D313198A2E03707344A4093822299F31D0082EFA98EC4E6C89452821E638D01377BE5466CF34E9"
    "0C6CC0AC29B7C97C50DD3F84D5B5B54709179216D5D98979FB1BD1310BA698DFB5AC2FFD72DBD01ADFB7B8E1AFED"
    "6A267E96BA7C9045F12C7F9924A19947B3916CF70801F2E2858EFC16636920D871574E69A458FEA3F4933D7E0D95"
    "748F728EB658718BCD5882154AEE7B54A41DC25A59B5"};

struct THavalVector
{
  int nPasses, nBits, nText;  // nText: the index in HAVAL_TEXTS
  const char* pDigest;
};

const THavalVector HAVAL_VECTORS[] = {
    {3, 128, 0, "c68f39913f901f3ddf44c707357a7d70"},
    {3, 128, 1, "0cd40739683e15f01ca5dbceef4059f1"},
    {3, 128, 2, "de5eb3f7d9eb08fae7a07d68e3047ec6"},
    {3, 128, 3, "7a4272c08c8439de627fd5f5fee6ca16"},
    {3, 160, 0, "d353c3ae22a25401d257643836d7231a9a95f953"},
    {3, 160, 1, "4da08f514a7275dbc4cece4a347385983983a830"},
    {3, 160, 2, "97dc988d97caae757be7523c4e8d4ea63007a4b9"},
    {3, 160, 3, "3fadf42851f001aae23cc966611625a83bda8a29"},
    {3, 192, 0, "e9c48d7903eaf2a91c5b350151efcb175c0fc82de2289a4e"},
    {3, 192, 1, "b359c8835647f5697472431c142731ff6e2cddcacc4f6e08"},
    {3, 192, 2, "def6653091e3005b43a61681014a066cd189009d00856ee7"},
    {3, 192, 3, "95bc146c17e355de03842c22d9fe3821fe7aaa9834f09c63"},
    {3, 224, 0, "c5aae9d47bffcaaf84a8c6e7ccacd60a0dd1932be7b1a192b9214b6d"},
    {3, 224, 1, "731814ba5605c59b673e4caae4ad28eeb515b3abc2b198336794e17b"},
    {3, 224, 2, "939f7ed7801c1ce4b32bc74a4056eee6081c999ed246907adba880a7"},
    {3, 224, 3, "3efaf428ccded50600039a5196c3e6ec88cf06bc5e55cb602cabfdac"},
    {3, 256, 0, "4f6938531f0bc8991f62da7bbd6f7de3fad44562b8c6f4ebf146d5b4e46f7c17"},
    {3, 256, 1, "47c838fbb4081d9525a0ff9b1e2c05a98f625714e72db289010374e27db021d8"},
    {3, 256, 2, "899397d96489281e9e76d5e65abab751f312e06c06c07c9c1d42abd31bb6a404"},
    {3, 256, 3, "f92f518fe5b1e7e7d76e295dc3d0a9301da56e29374597eb6ff5a1f8c4fb9f93"},
    {4, 128, 0, "ee6bbf4d6a46a679b3a856c88538bb98"},
    {4, 128, 1, "5cd07f03330c3b5020b29ba75911e17d"},
    {4, 128, 2, "cad57c0563bda208d66bb89eb922e2a2"},
    {4, 128, 3, "b163a0236635f8b2ffcf6e10c3ce2bb2"},
    {4, 160, 0, "1d33aae1be4146dbaaca0b6e70d7a11f10801525"},
    {4, 160, 1, "e0a5be29627332034d4dd8a910a1a0e6fe04084d"},
    {4, 160, 2, "148334aad24b658bdc946c521cdd2b1256608c7b"},
    {4, 160, 3, "eac16e54b3a8881169e6a928c2e2e5e042df8305"},
    {4, 192, 0, "4a8372945afa55c7dead800311272523ca19d42ea47b72da"},
    {4, 192, 1, "856c19f86214ea9a8a2f0c4b758b973cce72a2d8ff55505c"},
    {4, 192, 2, "e5c9f81ae0b31fc8780fc37cb63bb4ec96496f79a9b58344"},
    {4, 192, 3, "d1f8b6e0f8e939f21013b9bca5b25d8067974aa254ec71cf"},
    {4, 224, 0, "3e56243275b3b81561750550e36fcd676ad2f5dd9e15f2e89e6ed78e"},
    {4, 224, 1, "742f1dbeeaf17f74960558b44f08aa98bdc7d967e6c0ab8f799b3ac1"},
    {4, 224, 2, "3e63c95727e0cd85d42034191314401e42ab9063a94772647e3e8e0f"},
    {4, 224, 3, "0f0120310e2dd9972e2e1619a96cc20478271d090b6c21e7eb33eb0c"},
    {4, 256, 0, "c92b2e23091e80e375dadce26982482d197b1a2521be82da819f8ca2c579b99b"},
    {4, 256, 1, "e686d2394a49b44d306ece295cf9021553221db132b36cc0ff5b593d39295899"},
    {4, 256, 2, "46a3a1dfe867ede652425ccd7fe8006537ead26372251686bea286da152dc35a"},
    {4, 256, 3, "68ffd0fbc2e2973b4baae73a418029fec08c050b4cf9352c29411510f730cd08"},
    {5, 128, 0, "184b8482a0c050dca54b59c7f05bf5dd"},
    {5, 128, 1, "f23fbe704be8494bfa7a7fb4f8ab09e5"},
    {5, 128, 2, "4b27d04ddb516bdcdfeb96eb8c7c8e90"},
    {5, 128, 3, "e8271bfc50905f510b06690808abdb2b"},
    {5, 160, 0, "255158cfc1eed1a7be7c55ddd64d9790415b933b"},
    {5, 160, 1, "f5147df7abc5e3c81b031268927c2b5761b5a2b5"},
    {5, 160, 2, "6ddbde98ea1c4f8c7f360fb9163c7c952680aa70"},
    {5, 160, 3, "494a002c5c2a4fd406097a55c078e0d1ef6815ce"},
    {5, 192, 0, "4839d0626f95935e17ee2fc4509387bbe2cc46cb382ffe85"},
    {5, 192, 1, "5ffa3b3548a6e2cfc06b7908ceb5263595df67cf9c4b9341"},
    {5, 192, 2, "d651c8ac45c9050810d9fd64fc919909900c4664be0336d0"},
    {5, 192, 3, "02e968be4b6ee32ec67bcca3ab53d8be706e8ceb36718bca"},
    {5, 224, 0, "4a0513c032754f5582a758d35917ac9adf3854219b39e3ac77d1837e"},
    {5, 224, 1, "67b3cb8d4068e3641fa4f156e03b52978b421947328bfb9168c7655d"},
    {5, 224, 2, "180aed7f988266016719f60148ba2c9b4f5ec3b9758960fc735df274"},
    {5, 224, 3, "36a5bcf298afe7f6796284b29c591896d54b4e982ed2c847c9857ccf"},
    {5, 256, 0, "be417bb4dd5cfb76c7126f4f8eeb1553a449039307b1a3cd451dbfdc0fbbe330"},
    {5, 256, 1, "de8fd5ee72a5e4265af0a756f4e1a1f65c9b2b2f47cf17ecf0d1b88679a3e22f"},
    {5, 256, 2, "b45cb6e62f2b1320e4f8f1b0b273d45add47c321fd23999dcf403ac37636d963"},
    {5, 256, 3, "24658c4ad929b90693014330089dbeedbf1c28141379b8efb83a8f74f9e91c1f"}};

TEST(Haval, PublishedVectorsAtOnceAndInPieces)
{
  for (const THavalVector& v : HAVAL_VECTORS) {
    std::string text = HAVAL_TEXTS[v.nText];
    SCOPED_TRACE("HAVAL-" + std::to_string(v.nBits) + "/" + std::to_string(v.nPasses) + " of \"" +
                 text + '"');
    unsigned char aDigest[HAVAL_MAX_DIGEST_SIZE];
    size_t nSize = HavalDigest(v.nPasses, v.nBits, text.data(), text.size(), aDigest);
    ASSERT_EQ((size_t)v.nBits / 8, nSize);
    EXPECT_EQ(v.pDigest, ToHex(aDigest, nSize));
    THaval haval;
    for (size_t nPiece : PIECE_SIZES) {
      ASSERT_EQ(1, haval.Start(v.nPasses, v.nBits));
      AddInPieces(haval, text, nPiece);
      ASSERT_EQ(nSize, haval.Finish(aDigest));
      EXPECT_EQ(v.pDigest, ToHex(aDigest, nSize)) << "in pieces of " << nPiece;
    }
  }
}

// A pair that is no HAVAL variant starts nothing, and a digest finished
// (or never started) writes nothing until the next start.
TEST(Haval, RefusesOtherPairsAndWritesNothingUnstarted)
{
  static const int PAIRS[][2] = {{2, 256}, {6, 256}, {5, 96}, {5, 288}, {5, 200}, {0, 0}};
  for (const auto& pair : PAIRS) {
    THaval haval;
    EXPECT_EQ(0, haval.Start(pair[0], pair[1])) << pair[0] << " passes, " << pair[1] << " bits";
    unsigned char aDigest[HAVAL_MAX_DIGEST_SIZE] = {0x5a};
    haval.Add("a", 1);
    EXPECT_EQ(0u, haval.Finish(aDigest));
    EXPECT_EQ(0u, HavalDigest(pair[0], pair[1], "a", 1, aDigest));
    EXPECT_EQ(0x5a, aDigest[0]);
  }
  THaval haval;
  unsigned char aDigest[HAVAL_MAX_DIGEST_SIZE] = {0x5a};
  EXPECT_EQ(0u, haval.Finish(aDigest));
  ASSERT_EQ(1, haval.Start(3, 128));
  EXPECT_EQ(16u, haval.Finish(aDigest));
  EXPECT_EQ("c68f39913f901f3ddf44c707357a7d70", ToHex(aDigest, 16));
  aDigest[0] = 0x5a;
  EXPECT_EQ(0u, haval.Finish(aDigest));
  EXPECT_EQ(0x5a, aDigest[0]);
}

}  // namespace
