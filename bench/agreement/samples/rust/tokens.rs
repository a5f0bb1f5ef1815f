/// Splits an arithmetic expression into tokens and evaluates it with the
/// shunting-yard algorithm.
use std::fmt;
use std::iter::Peekable;
use std::str::Chars;

#[derive(Debug, Clone, Copy, PartialEq)]
pub enum Token {
    Number(f64),
    Op(char),
    LParen,
    RParen,
}

#[derive(Debug)]
pub enum EvalError {
    UnexpectedChar(char, usize),
    Unbalanced,
    DivisionByZero,
    Empty,
}

impl fmt::Display for EvalError {
    fn fmt(&self, f: &mut fmt::Formatter<'_>) -> fmt::Result {
        match *self {
            EvalError::UnexpectedChar(c, at) => write!(f, "unexpected {:?} at {}", c, at),
            EvalError::Unbalanced => f.write_str("unbalanced parentheses"),
            EvalError::DivisionByZero => f.write_str("division by zero"),
            EvalError::Empty => f.write_str("empty expression"),
        }
    }
}

struct Lexer<'a> {
    chars: Peekable<Chars<'a>>,
    at: usize,
}

impl<'a> Lexer<'a> {
    fn new(text: &'a str) -> Self {
        Lexer { chars: text.chars().peekable(), at: 0 }
    }

    fn number(&mut self, first: char) -> f64 {
        let mut digits = String::from(first);
        while let Some(&c) = self.chars.peek() {
            if c.is_ascii_digit() || c == '.' {
                digits.push(c);
                self.chars.next();
                self.at += 1;
            } else {
                break;
            }
        }
        digits.parse().unwrap_or(f64::NAN)
    }
}

impl<'a> Iterator for Lexer<'a> {
    type Item = Result<Token, EvalError>;

    fn next(&mut self) -> Option<Self::Item> {
        let c = loop {
            let c = self.chars.next()?;
            self.at += 1;
            if !c.is_whitespace() {
                break c;
            }
        };
        Some(match c {
            '0'..='9' => Ok(Token::Number(self.number(c))),
            '+' | '-' | '*' | '/' => Ok(Token::Op(c)),
            '(' => Ok(Token::LParen),
            ')' => Ok(Token::RParen),
            other => Err(EvalError::UnexpectedChar(other, self.at - 1)),
        })
    }
}

fn precedence(op: char) -> u8 {
    if op == '*' || op == '/' { 2 } else { 1 }
}

fn apply(values: &mut Vec<f64>, op: char) -> Result<(), EvalError> {
    let rhs = values.pop().ok_or(EvalError::Empty)?;
    let lhs = values.pop().ok_or(EvalError::Empty)?;
    values.push(match op {
        '+' => lhs + rhs,
        '-' => lhs - rhs,
        '*' => lhs * rhs,
        '/' if rhs == 0.0 => return Err(EvalError::DivisionByZero),
        _ => lhs / rhs,
    });
    Ok(())
}

pub fn evaluate(text: &str) -> Result<f64, EvalError> {
    let mut values: Vec<f64> = Vec::with_capacity(16);
    let mut ops: Vec<Token> = Vec::new();
    for token in Lexer::new(text) {
        match token? {
            Token::Number(n) => values.push(n),
            Token::LParen => ops.push(Token::LParen),
            Token::RParen => loop {
                match ops.pop() {
                    Some(Token::LParen) => break,
                    Some(Token::Op(op)) => apply(&mut values, op)?,
                    _ => return Err(EvalError::Unbalanced),
                }
            },
            Token::Op(op) => {
                while let Some(&Token::Op(top)) = ops.last() {
                    if precedence(top) < precedence(op) {
                        break;
                    }
                    ops.pop();
                    apply(&mut values, top)?;
                }
                ops.push(Token::Op(op));
            }
        }
    }
    while let Some(token) = ops.pop() {
        match token {
            Token::Op(op) => apply(&mut values, op)?,
            _ => return Err(EvalError::Unbalanced),
        }
    }
    if values.len() == 1 { Ok(values[0]) } else { Err(EvalError::Empty) }
}

fn main() {
    for text in ["1 + 2 * 3", "(1 + 2) * 3", "10 / (5 - 5)", "2 * (3", "7 $ 1"] {
        match evaluate(text) {
            Ok(value) => println!("{text} = {value}"),
            Err(error) => eprintln!("{text}: {error}"),
        }
    }
}
