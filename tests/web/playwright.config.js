// The browser version as pupils meet it: a Chromebook by keyboard and an iPad
// by touch, both in Debian's Chromium (Playwright downloads no browser here).
const { defineConfig } = require('@playwright/test');
const path = require('node:path');

const port = Number(process.env.REKENTOL_WEB_PORT || 8765);
const site = process.env.REKENTOL_WEB_SITE || path.resolve(__dirname, '../../build/web/site');
const chromium = {
  executablePath: process.env.REKENTOL_CHROMIUM || '/usr/lib/chromium/chromium',
  args: ['--no-sandbox'],
};

module.exports = defineConfig({
  testDir: '.',
  testMatch: /.*\.test\.js$/,
  timeout: 90_000,
  expect: { timeout: 10_000 },
  fullyParallel: true,
  workers: 2,
  retries: 0,
  reporter: [['list'], ['json', { outputFile: 'test-results/results.json' }]],
  use: {
    baseURL: `http://127.0.0.1:${port}/`,
    launchOptions: chromium,
    locale: 'nl-NL',
    trace: 'retain-on-failure',
  },
  webServer: {
    command: `node serve.mjs "${site}" 127.0.0.1:${port}`,
    url: `http://127.0.0.1:${port}/index.html`,
    reuseExistingServer: false,
    timeout: 20_000,
  },
  projects: [
    {
      name: 'chromebook',
      testIgnore: /touch\.test\.js$/,
      use: { browserName: 'chromium', viewport: { width: 1366, height: 768 } },
    },
    {
      name: 'ipad',
      testMatch: /touch\.test\.js$/,
      use: {
        browserName: 'chromium',
        viewport: { width: 1024, height: 768 },
        hasTouch: true,
        isMobile: true,
        deviceScaleFactor: 2,
      },
    },
  ],
});
