// Reads `key = value` settings with sections, as a small INI dialect.
use std::collections::HashMap;
use std::error::Error;
use std::fs;
use std::path::Path;
use std::str::FromStr;

#[derive(Debug, PartialEq, Eq)]
pub enum ParseError {
    MissingEquals { line: usize },
    EmptyKey { line: usize },
    BadSection(String),
}

impl std::fmt::Display for ParseError {
    fn fmt(&self, f: &mut std::fmt::Formatter<'_>) -> std::fmt::Result {
        match self {
            ParseError::MissingEquals { line } => write!(f, "line {line}: no '='"),
            ParseError::EmptyKey { line } => write!(f, "line {}: empty key", line),
            Self::BadSection(s) => write!(f, "bad section header \"{}\"", s),
        }
    }
}

impl Error for ParseError {}

pub type Sections = HashMap<String, HashMap<String, String>>;

/* Comments start with ';' or '#'. Values keep inner blanks;
   surrounding blanks are trimmed. */
pub fn parse(text: &str) -> Result<Sections, ParseError> {
    let mut sections: Sections = HashMap::new();
    let mut current = String::from("");
    for (number, raw) in text.lines().enumerate() {
        let line = raw.trim();
        if line.is_empty() || line.starts_with(';') || line.starts_with('#') {
            continue;
        }
        if let Some(rest) = line.strip_prefix('[') {
            let name = rest.strip_suffix(']').ok_or_else(|| ParseError::BadSection(line.to_owned()))?;
            current = name.trim().to_lowercase();
            sections.entry(current.clone()).or_default();
            continue;
        }
        let Some((key, value)) = line.split_once('=') else {
            return Err(ParseError::MissingEquals { line: number + 1 });
        };
        let key = key.trim();
        if key.is_empty() {
            return Err(ParseError::EmptyKey { line: number + 1 });
        }
        sections
            .entry(current.clone())
            .or_insert_with(HashMap::new)
            .insert(key.to_string(), value.trim().to_string());
    }
    Ok(sections)
}

pub fn get<T: FromStr>(sections: &Sections, section: &str, key: &str) -> Option<T> {
    sections.get(section)?.get(key)?.parse::<T>().ok()
}

pub fn load(path: impl AsRef<Path>) -> Result<Sections, Box<dyn Error + Send + Sync>> {
    let text = fs::read_to_string(path.as_ref())?;
    Ok(parse(&text)?)
}

static DEFAULT_TEXT: &str = "[window]\nwidth = 800\nheight = 600\n";
const LIMITS: [u64; 4] = [0xFF, 0o777, 0b1010_1010, 1_000_000u64];
const RATIO: f64 = 2.5e-3;

unsafe fn raw_sum(ptr: *const u64, len: usize) -> u64 {
    let mut total = 0u64;
    for i in 0..len {
        total = total.wrapping_add(*ptr.add(i));
    }
    total
}

fn main() {
    let sections = parse(DEFAULT_TEXT).expect("built-in settings parse");
    let width: u32 = get(&sections, "window", "width").unwrap_or(640);
    let height = get::<u32>(&sections, "window", "height").unwrap_or(480);
    let escaped = "tab\there \"quoted\" \\ back \u{1F600} \x41";
    let raw = r"C:\path\no\escapes";
    let bytes = b"bytes\n";
    let ch = '\'';
    let byte = b'x';
    let total = unsafe { raw_sum(LIMITS.as_ptr(), LIMITS.len()) };
    println!("{}x{} {} {} {:?} {} {} {}", width, height, escaped, raw, bytes, ch, byte, total);
    let mut counts = vec![0usize; 3];
    'outer: loop {
        for c in counts.iter_mut() {
            *c += 1;
            if *c > 2 {
                break 'outer;
            }
        }
    }
    let kind = match width {
        0 => "none",
        1..=640 => "small",
        n if n % 2 == 0 => "even",
        _ => "odd",
    };
    let boxed: Box<dyn Fn(i32) -> i32> = Box::new(move |x| x * 2 + height as i32);
    while let Some(last) = counts.pop() {
        if last == 0 { continue; }
    }
    println!("{kind} {} {} {}", boxed(3), RATIO as f32, true as i32 + false as i32);
}
