// The platform layer's small services: URL opening, the blocking alert, the unsupported
// download, EGL error texts and the refusal of odd rotation angles.
#include <gtest/gtest.h>

#include "platform_services.h"

#include <standin/standin.h>

namespace {

class ServicesTest : public ::testing::Test {
protected:
  void SetUp() override {
    standin::Configure(standin::Config());
    bps_initialize();
  }
  void TearDown() override { bps_shutdown(); }
};

TEST_F(ServicesTest, OpenUrlHandsTheAddressToTheNavigator) {
  testing::internal::CaptureStdout();
  EXPECT_TRUE(BBWeb_OpenURL("https://example.invalid/bb/index.php?from_app=sprocklet"));
  EXPECT_FALSE(BBWeb_OpenURL(""));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(standin::Navigator().invokedUrls,
            std::vector<std::string>{"https://example.invalid/bb/index.php?from_app=sprocklet"});
}

TEST_F(ServicesTest, AlertShowsTheFormattedTextAndReturnsWhenDismissed) {
  testing::internal::CaptureStderr();
  DBG("level %d of %s", 7, "world");
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("level 7 of world"), std::string::npos) << err;

  std::string longText(2000, 'x');
  testing::internal::CaptureStderr();
  DBG("%s", longText.c_str());
  err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find(std::string(1023, 'x')), std::string::npos);
  EXPECT_EQ(err.find(std::string(1024, 'x')), std::string::npos);
}

TEST_F(ServicesTest, DownloadIsNotSupported) {
  char buffer[8];
  int received = 99;
  char url[] = "http://example.invalid/";
  EXPECT_FALSE(DownloadDataFromURL(url, buffer, sizeof buffer, &received));
  EXPECT_EQ(received, 0);
}

TEST_F(ServicesTest, EglErrorsArePrintedWithTheirText) {
  eglMakeCurrent(EGL_NO_DISPLAY, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT); // EGL_BAD_DISPLAY
  testing::internal::CaptureStderr();
  bbutil_egl_perror("eglMakeCurrent");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "eglMakeCurrent: an EGLDisplay argument does not name a valid EGLDisplay\n");
  eglGetError();
  testing::internal::CaptureStderr();
  bbutil_egl_perror("eglSwapBuffers");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "eglSwapBuffers: function succeeded\n");
}

TEST_F(ServicesTest, RotationToAnOddAngleIsRefused) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(bbutil_rotate_screen_surface(45), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Invalid angle\n");
}

} // namespace
