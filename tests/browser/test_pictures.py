"""Pictures of a message reach the page and the browser decodes them at the editor's size."""
import binascii
import os
import subprocess
import tempfile

import pagecheck


def picture_bytes(drawing, fmt):
    """Bytes of a picture that ImageMagick draws from the `drawing` arguments, in format `fmt`."""
    folder = tempfile.mkdtemp(prefix="parl-pictures-")
    path = os.path.join(folder, "picture." + fmt)
    subprocess.run(["convert"] + drawing + ["-strip", fmt.upper() + ":" + path], check=True,
                   timeout=60)
    with open(path, "rb") as f:
        return f.read()


def pict(words, data):
    hexdigits = binascii.hexlify(data).decode()
    lines = "\r\n".join(hexdigits[i:i + 128] for i in range(0, len(hexdigits), 128))
    return "{\\pict" + words + "\r\n" + lines + "}"


class Pictures(pagecheck.BrowserTestCase):
    def test_a_png_and_a_jpeg_decode_at_the_size_the_editor_shows(self):
        png = picture_bytes(["-size", "40x30", "xc:#ff0000"], "png")
        jpeg = picture_bytes(["-size", "24x16", "xc:#0000ff", "-quality", "95"], "jpeg")
        # The PNG at a stated 80 by 30 pixels (1200 by 450 twips), the JPEG at its own size
        # halved by the scale words.
        body = ("before " + pict("\\pngblip\\picw40\\pich30\\picwgoal1200\\pichgoal450", png) +
                " middle " + pict("\\jpegblip\\picscalex50\\picscaley50", jpeg) + " after")
        # Opened as File Open opens it: the editor reads the pictures and writes them again.
        page = pagecheck.compile_page(pagecheck.rtf_message(body), raw=False)
        self.browser.open_page(page)
        images = self.browser.run("""
            const images = Array.from(document.images);
            return Promise.all(images.map(i => i.decode().then(() => true, () => false)))
              .then(decoded => images.map((image, n) => {
                const box = image.getBoundingClientRect();
                const canvas = document.createElement('canvas');
                canvas.width = image.naturalWidth;
                canvas.height = image.naturalHeight;
                const context = canvas.getContext('2d');
                context.drawImage(image, 0, 0);
                const pixel = Array.from(context.getImageData(1, 1, 1, 1).data);
                return {decoded: decoded[n], natural: [image.naturalWidth, image.naturalHeight],
                        drawn: [Math.round(box.width), Math.round(box.height)],
                        source: image.src.split(",")[0], pixel: pixel};
              }));""")
        self.assertEqual(len(images), 2, images)
        first, second = images
        self.assertTrue(first["decoded"] and second["decoded"], images)
        self.assertEqual(first["natural"], [40, 30])
        self.assertEqual(first["drawn"], [80, 30])
        self.assertEqual(first["source"], "data:image/png;base64")
        self.assertEqual(first["pixel"], [255, 0, 0, 255])
        self.assertEqual(second["natural"], [24, 16])
        self.assertEqual(second["drawn"], [12, 8])
        self.assertEqual(second["source"], "data:image/jpeg;base64")
        red, green, blue, alpha = second["pixel"]
        self.assertTrue(red < 16 and green < 16 and blue > 240 and alpha == 255, second["pixel"])
        text = self.browser.run("return document.body.innerText")
        self.assertRegex(text, r"before\s*middle\s*after")
        self.assertEqual(self.browser.console_errors(), [])


if __name__ == "__main__":
    pagecheck.main()
